#pragma once
// The view of a configuration page that shows the configuration's caption, master and
// device table.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

#include "app/view_form.h"
#include "config/zyr_data.h"

namespace trivex {

class TFrmConfigSummary : public TViewForm {
  Q_OBJECT
 public:
  TFrmConfigSummary(QWidget* parent, TZyrData& data);
  void DataToControls() override;
  void UpdateLanguageStrings() override;
  // The "Configuration" menu with "Show Netlist", which opens the net list window.
  QList<QMenu*> GetViewMenu() override { return {menu_}; }
  QAction* AcnShowNetlist() const { return show_netlist_; }
  QTableWidget* Table() const { return table_; }
  QLabel* Caption() const { return caption_; }

 private:
  TZyrData& data_;
  QLabel* caption_;
  QLabel* master_;
  QTableWidget* table_;
  QMenu* menu_;
  QAction* show_netlist_;
};

}  // namespace trivex
