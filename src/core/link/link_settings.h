#pragma once
// The link's values of the settings key "Terminal Settings": the COM number in use
// (`ComNum`), one line configuration per port (`Com%dSettings`), the ports the user added
// (`ExtraPort%d`) and, where the bus server is installed, `UseKxoServer`.
#include "app/settings_store.h"
#include "link/kombi_communicator.h"

namespace trivex {

// Takes the added ports into the port table (rescanning it), selects the stored COM number
// (the first port when that number has none), loads every port's configuration (a missing
// or unreadable value keeps the default) and the bus-server choice. A `port_path` (the
// --port argument, the demo simulator's pseudo-terminal) joins the table for this run and
// becomes the port in use.
void ReadLinkSettings(SettingsStore& store, TKombiCommunicator& link, const std::string& port_path = {});
// Writes the same values.
void WriteLinkSettings(SettingsStore& store, const TKombiCommunicator& link);
// Loads only the port configurations (after a rescan).
void ReadPortConfigs(SettingsStore& store, TCommunicator& serial);

}  // namespace trivex
