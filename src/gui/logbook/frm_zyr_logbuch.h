#pragma once
// TFrmZyrLogbuch: the logbook page of this program. It decodes a log file with the decoder
// of its device type: ZYR-D, ZYR-DM, or the regulators (VAD-AZ, ZED-UDE).
#include "logbook/frm_logbuch.h"

namespace trivex {

class TFrmZyrLogbuch : public TFrmLogbuch {
  Q_OBJECT
 public:
  using TFrmLogbuch::TFrmLogbuch;
  // By the header's type name (any case); none for another type.
  TLogEventFactory EventFactory() const override;
};

}  // namespace trivex
