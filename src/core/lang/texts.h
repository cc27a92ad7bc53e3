#pragma once
// How text tables are kept: each subsystem has its table lang/texts_<subsystem>.def with one
// line per entry,
//     TX(Identifier, "German", "English", "Italian")
// and a header lang/texts_<subsystem>.h that turns the lines into constants:
//     namespace trivex::tx::<subsystem> {
//     #define TX(id, de, en, it) inline constexpr ::trivex::lang::Text3 id{de, en, it};
//     #include "lang/texts_<subsystem>.def"
//     #undef TX
//     }
// Code shows a text with lang::Tr(tx::<subsystem>::Identifier). A test reads every table
// (the build lists them in all_text_tables.inc) and checks that each entry has three
// non-empty strings with the same placeholders in the same order.
#include "lang/lang.h"
