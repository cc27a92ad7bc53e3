#include "app/view_form.h"

#include <QLayout>

namespace trivex {

TViewForm::TViewForm(QWidget* parent_control) : QWidget(parent_control) {
  embedded_ = parent_control != nullptr;
  if (embedded_ && parent_control->layout()) parent_control->layout()->addWidget(this);
}

TViewForm::~TViewForm() = default;

}  // namespace trivex
