#include "logbook/logbook_page.h"

#include "app/frm_trivor.h"
#include "logbook/frm_zyr_logbuch.h"

namespace trivex {

void InstallLogbookPage(TFrmTrivor& main, TKombiCommunicator* link) {
  auto* state = new TLogbookPageState(&main);
  state->store = &main.Store();
  state->transfer_running = &main.transfer_running;
  state->data.Read(main.Store());
  main.SetViewFactory(kPageLogbuch, [&main, state, link](QWidget* sheet) -> TViewForm* {
    // The shared data folder of the main window applies to the logbook folders too.
    state->data.common_initial_dir = main.TerminalData().common_initial_dir;
    state->data.on_initial_dir_changed = [&main](const std::string& dir) { main.InitialDirChanged(dir); };
    state->fallback_dir = main.LogbookDir();
    return new TFrmZyrLogbuch(sheet, *state, link, &main, &main.TerminalData());
  });
}

}  // namespace trivex
