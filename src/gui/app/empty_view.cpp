#include "app/empty_view.h"

#include <QVBoxLayout>

#include "app/qt_text.h"
#include "lang/texts_app.h"

namespace trivex {

TFrmEmptyView::TFrmEmptyView(QWidget* parent, const lang::Text3& page_name)
    : TViewForm(parent), page_name_(page_name) {
  auto* lay = new QVBoxLayout(this);
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("LblTitle"));
  QFont f = title_->font();
  f.setPointSizeF(f.pointSizeF() * 1.5);
  f.setBold(true);
  title_->setFont(f);
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("LblHint"));
  lay->addWidget(title_);
  lay->addWidget(hint_);
  lay->addStretch(1);
}

void TFrmEmptyView::UpdateLanguageStrings() {
  title_->setText(QTr(page_name_));
  hint_->setText(QTr(tx::app::EmptyViewHint));
}

}  // namespace trivex
