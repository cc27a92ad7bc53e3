#include "app/trivor_manager_form.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/empty_view.h"
#include "app/qt_text.h"
#include "lang/texts_app.h"

namespace trivex {

namespace {
constexpr const char* kSheetNames[kPageCount] = {"TshZyrD",     "TshZyrDm",    "TshRegler",
                                                 "TshPanel",    "TshTerminal", "TshLogbuch",
                                                 "TshOnline"};
const lang::Text3* const kCaptions[kPageCount] = {
    &tx::app::TabZyrD,     &tx::app::TabZyrDm,    &tx::app::TabRegler, &tx::app::TabPanel,
    &tx::app::TabTerminal, &tx::app::TabLogbuch, &tx::app::TabOnline};
}  // namespace

TTrivorManagerForm::TTrivorManagerForm(QWidget* parent) : TManagerForm(parent) {
  // No page is entered while the pages are built; the start page is selected later.
  QSignalBlocker block(PgcMain);
  for (int i = 0; i < kPageCount; ++i) {
    auto* sheet = new QWidget(PgcMain);
    sheet->setObjectName(QString::fromLatin1(kSheetNames[i]));
    auto* lay = new QVBoxLayout(sheet);
    lay->setContentsMargins(0, 0, 0, 0);
    PgcMain->addTab(sheet, QTr(*kCaptions[i]));
  }
}

const lang::Text3& TTrivorManagerForm::TabCaption(int page) { return *kCaptions[page]; }
const char* TTrivorManagerForm::TabSheetName(int page) { return kSheetNames[page]; }

void TTrivorManagerForm::SetViewFactory(int page, ViewFactory factory) {
  if (page >= 0 && page < kPageCount) factories_[page] = std::move(factory);
}

void TTrivorManagerForm::UpdateTabCaptions() {
  for (int i = 0; i < kPageCount; ++i) PgcMain->setTabText(i, QTr(*kCaptions[i]));
}

TViewForm* TTrivorManagerForm::CreateView(int page) {
  if (page < 0 || page >= kPageCount) return nullptr;
  QWidget* sheet = TabSheet(page);
  if (factories_[page]) return factories_[page](sheet);
  return new TFrmEmptyView(sheet, *kCaptions[page]);
}

}  // namespace trivex
