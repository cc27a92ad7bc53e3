#pragma once
// TTrivorManagerForm: the seven pages of the main window and the views they host.
#include <functional>

#include "app/manager_form.h"
#include "app/trivor_settings.h"
#include "lang/lang.h"

namespace trivex {

class TTrivorManagerForm : public TManagerForm {
  Q_OBJECT
 public:
  explicit TTrivorManagerForm(QWidget* parent = nullptr);

  // Each page's view is made by its factory; a page without one gets an empty view.
  using ViewFactory = std::function<TViewForm*(QWidget* tab_sheet)>;
  void SetViewFactory(int page, ViewFactory factory);
  static const lang::Text3& TabCaption(int page);
  static const char* TabSheetName(int page);
  void UpdateTabCaptions();

 protected:
  TViewForm* CreateView(int page_index) override;

 private:
  ViewFactory factories_[kPageCount];
};

}  // namespace trivex
