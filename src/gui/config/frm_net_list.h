#pragma once
// TFrmNetList: the window that shows the compiled station model of a configuration — its
// segments, switches and groups of connected feeders, a panel per relay with its inputs —
// and lets the user try switch positions (binary input check boxes, F5 recomputes the
// groups) and edit the net list lines. The positions change only the window's own model.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTableWidget>
#include <QTreeWidget>
#include <map>
#include <utility>
#include <vector>

#include "config/net_list_data.h"
#include "config/zyr_data.h"

namespace trivex {

class TFrmNetList : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFrmNetList(TZyrData& config, QWidget* parent = nullptr);

  // The window of the program (a child of `owner`'s top-level window), created on first
  // use, showing `config`: compiled, shown and raised.
  static TFrmNetList* ShowFor(QWidget* owner, TZyrData& config);

  // Shows another configuration (and compiles it).
  void SetConfiguration(TZyrData& config);
  TZyrData& Configuration() const { return *config_; }
  // Compiles the configuration's net list again and fills every list and panel.
  void Refresh();
  // Divides the feeders into groups again with the window's switch positions (F5).
  void RecomputeGroups();
  void UpdateLanguageStrings();

  // The net list lines: "Show Netlist" shows them; "Insert Line" inserts an empty line
  // before the current one, "Delete Line" removes the current line.
  void ShowNetlist(bool on);
  void InsertLine();
  void DeleteLine();

  const TNetListData& Model() const { return model_; }
  bool Compiled() const { return compiled_; }
  QTreeWidget* SegmentList() const { return segments_; }
  QTreeWidget* SwitchList() const { return switches_; }
  QTreeWidget* GroupList() const { return groups_; }
  QLabel* Message() const { return message_; }
  QTableWidget* NetListGrid() const { return grid_; }
  // The check box of a binary input (device 0: virtual input), nullptr when none.
  QCheckBox* InputCheckBox(uint8_t device, int input) const;
  QAction *AcnShowNetlist, *AcnInsertLine, *AcnDeleteLine, *AcnRecompute;
  QMenu* MnuNetList;

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Compile();
  void Fill();
  void FillGrid();
  void FillPanels();
  QWidget* DevicePanel(const TDevice& dev);
  QWidget* InputTable(const TDevice& dev, const std::vector<std::pair<bool, int>>& rows, const QString& current_prefix);
  void AddInputBox(QLayout* layout, uint8_t device, int input, const QString& text);
  void OnInputToggled(uint8_t device, int input, bool on);
  void OnCellChanged(QTableWidgetItem* item);
  void LinesChanged();

  TZyrData* config_;
  TNetListData model_;
  bool compiled_ = false;
  std::string error_;
  QTreeWidget *segments_, *switches_, *groups_;
  QLabel *message_, *lbl_segments_, *lbl_switches_, *lbl_groups_;
  QScrollArea* panels_area_;
  QTableWidget* grid_;
  bool filling_grid_ = false;
  std::map<std::pair<uint8_t, int>, QCheckBox*> input_boxes_;
  // Feeder group cells of the device panels: relay, current input 1..4, cell.
  struct GroupCell {
    uint8_t device;
    int input;
    QTableWidgetItem* item;
  };
  std::vector<GroupCell> group_cells_;
};

}  // namespace trivex
