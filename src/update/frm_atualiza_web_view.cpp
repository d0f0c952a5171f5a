// The screen as the version check and the update run see it: its lists are the
// store between the phases.
#include "transfer/frm_aguarde.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/gauge.h"
#include "ui/palette.h"
#include "ui/qt_text.h"
#include "update/frm_aguarde_sql.h"
#include "update/frm_atualiza_web.h"
#include "update/ui_sql_runner.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace trev {
namespace {

constexpr int kAddOnFileColumn = 3;

QTreeWidgetItem* addRow(QTreeWidget* list, const std::vector<std::string>& columns) {
    auto* item = new QTreeWidgetItem(list);
    for (size_t i = 0; i < columns.size(); ++i) item->setText(static_cast<int>(i), fromCp1252(columns[i]));
    return item;
}

std::vector<QTreeWidgetItem*> rowsOf(const QTreeWidget* list) {
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) rows.push_back(list->topLevelItem(i));
    return rows;
}

std::string text(const QTreeWidgetItem* row, int column) { return toCp1252(row->text(column)); }

QTreeWidgetItem* rowAt(const QTreeWidget* list, size_t row) { return list->topLevelItem(static_cast<int>(row)); }

}  // namespace

QLabel* TFrmAtualizaWeb::phaseLabel(Phase phase) const {
    switch (phase) {
        case Phase::Check: return lblF1;
        case Phase::Download: return LblF2;
        case Phase::Execute: break;
    }
    return LblF3;
}

void TFrmAtualizaWeb::setPhase(Phase phase, PhaseState state, const std::string& text) {
    QLabel* label = phaseLabel(phase);
    setTextColor(label, state == PhaseState::Running ? QColor(0, 0, 0) : QColor(0, 128, 0));
    label->setText(fromCp1252(text));
}

void TFrmAtualizaWeb::setAction(const std::string& text) { LblAcao->setText(fromCp1252(text)); }

void TFrmAtualizaWeb::letEventsRun() { Application::processMessages(); }

void TFrmAtualizaWeb::stopCheckTimer() { Timer1->stop(); }

void TFrmAtualizaWeb::clearVersions() { ListVersao->clear(); }

void TFrmAtualizaWeb::addVersion(const std::string& caption, const std::string& date, const std::string& description) {
    addRow(ListVersao, {caption, date, description});
}

void TFrmAtualizaWeb::clearAddOns() { ListAdicionais->clear(); }

void TFrmAtualizaWeb::addAddOn(const AddOnEntry& entry) {
    QTreeWidgetItem* row = addRow(ListAdicionais, {entry.name, entry.date, entry.description, entry.exeName});
    row->setCheckState(0, Qt::Unchecked);
}

void TFrmAtualizaWeb::showTypeNotice() {
    for (QWidget* part : std::initializer_list<QWidget*>{Sh_Aviso1, Lbl_Aviso_11, Lbl_Aviso_12}) part->show();
    BtnAtualizar->setEnabled(false);
    checkEnded_ = true;
}

bool TFrmAtualizaWeb::serverUpdateChosen() const { return RadioButton1->isChecked(); }

void TFrmAtualizaWeb::lockSelection() {
    for (QWidget* control : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, BtnAtualizar})
        control->setEnabled(false);
    PnAviso01->hide();
    PnAviso02->hide();
}

std::vector<std::string> TFrmAtualizaWeb::versionCaptions() const {
    std::vector<std::string> captions;
    for (const QTreeWidgetItem* row : rowsOf(ListVersao)) captions.push_back(text(row, 0));
    return captions;
}

void TFrmAtualizaWeb::setVersionIcon(size_t row, RowIcon icon) {
    rowAt(ListVersao, row)->setIcon(0, ImageList1.value(static_cast<int>(icon)));
}

std::vector<AddOnChoice> TFrmAtualizaWeb::tickedAddOns() const {
    std::vector<AddOnChoice> ticked;
    const std::vector<QTreeWidgetItem*> rows = rowsOf(ListAdicionais);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i]->checkState(0) == Qt::Checked)
            ticked.push_back({static_cast<int>(i) + 1, text(rows[i], 0), text(rows[i], kAddOnFileColumn)});
    return ticked;
}

void TFrmAtualizaWeb::clearWorkList() { ListArquivos->clear(); }

void TFrmAtualizaWeb::addWorkRow(const WorkRow& row) { addRow(ListArquivos, {row.kind, row.version, row.fileName}); }

std::vector<WorkRow> TFrmAtualizaWeb::workList() const {
    std::vector<WorkRow> rows;
    for (const QTreeWidgetItem* row : rowsOf(ListArquivos)) rows.push_back({text(row, 0), text(row, 1), text(row, 2)});
    return rows;
}

void TFrmAtualizaWeb::setWorkRowIcon(size_t row, RowIcon icon) {
    rowAt(ListArquivos, row)->setIcon(0, ImageList1.value(static_cast<int>(icon)));
}

void TFrmAtualizaWeb::selectWorkRow(size_t row) {
    QTreeWidgetItem* item = rowAt(ListArquivos, row);
    ListArquivos->setCurrentItem(item);
    item->setSelected(true);
}

void TFrmAtualizaWeb::showDownloadProgress() {
    FrmAguarde = new TFrmAguarde(PnAcao, dataWeb_);
    FrmAguarde->move(0, 0);
    PnAcao->show();
    FrmAguarde->show();
}

void TFrmAtualizaWeb::hideDownloadProgress() { FrmAguarde->hide(); }

void TFrmAtualizaWeb::showScriptProgress(size_t steps) {
    FrmAguardeSQL = new TFrmAguardeSQL(PnAcao);
    FrmAguardeSQL->move(0, 0);
    FrmAguardeSQL->show();
    FrmAguardeSQL->Barra->setMinValue(0);
    FrmAguardeSQL->Barra->setMaxValue(static_cast<int64_t>(steps));
}

void TFrmAtualizaWeb::setScriptProgress(size_t done) { FrmAguardeSQL->Barra->setProgress(static_cast<int64_t>(done)); }

void TFrmAtualizaWeb::hideScriptProgress() { FrmAguardeSQL->hide(); }

void TFrmAtualizaWeb::runScript(const std::string& windowsPath, ScriptObserver* observer) {
    RunSqlScript(database(), windowsPath, observer);
}

void TFrmAtualizaWeb::endProgram() { Application::terminate(); }

}  // namespace trev
