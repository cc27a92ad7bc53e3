#pragma once
// The view of a page whose own view is not built yet: it shows the page's name and a hint.
#include <QLabel>

#include "app/view_form.h"
#include "lang/lang.h"

namespace trivex {

class TFrmEmptyView : public TViewForm {
  Q_OBJECT
 public:
  TFrmEmptyView(QWidget* parent, const lang::Text3& page_name);
  void UpdateLanguageStrings() override;

 private:
  const lang::Text3& page_name_;
  QLabel* title_;
  QLabel* hint_;
};

}  // namespace trivex
