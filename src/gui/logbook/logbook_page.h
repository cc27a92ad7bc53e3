#pragma once
// What the logbook page keeps while its view comes and goes: the logbook settings with the
// current file's header and records, the device chooser with the list of its last scan, the
// switch for binary input and relay events and the scroll state of the last view. One
// object lives as long as the main window.
#include <QObject>
#include <string>

#include "app/settings_store.h"
#include "logbook/device_chooser.h"
#include "logbook/logbuch_data.h"

namespace trivex {

class TFrmTrivor;
class TKombiCommunicator;

class TLogbookPageState : public QObject {
  Q_OBJECT
 public:
  explicit TLogbookPageState(QObject* parent = nullptr) : QObject(parent) {}

  TLogbuchData data;
  TDeviceChooser chooser;
  bool show_io = true;  // "Anzeigen von BEs und Relais"
  // The text view's scroll state when the last view was left (restored once by the next).
  struct ScrollState {
    int64_t first_line = -1;
    int64_t anchor_line = 0, caret_line = 0;
    int anchor_col = 0, caret_col = 0;
  } scroll;
  // Where the settings are written when a view commits them (null: nowhere).
  SettingsStore* store = nullptr;
  // The logbook folder of the main window, used while the settings name none.
  std::string fallback_dir;
  // The main window's "a transfer runs" flag: a fetch keeps the link open when the program
  // loses the focus (null: none).
  bool* transfer_running = nullptr;
};

// Reads the logbook settings from the main window's store and installs the view factory of
// the logbook page. `link` is the program's combined link (null: fetches tell that there is
// no link).
void InstallLogbookPage(TFrmTrivor& main, TKombiCommunicator* link);

}  // namespace trivex
