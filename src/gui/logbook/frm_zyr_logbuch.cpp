#include "logbook/frm_zyr_logbuch.h"

#include "logbook/logbook_page.h"

namespace trivex {

TLogEventFactory TFrmZyrLogbuch::EventFactory() const {
  return LogEventFactoryForType(PageState().data.header.typ, PageState().show_io);
}

}  // namespace trivex
