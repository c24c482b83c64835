#include "grid/print/page_setup_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "grid/print/spin_edit.h"

namespace grid {
namespace {

constexpr int32_t kUnbounded = INT32_MAX;

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

SpinEdit* numberEdit(const QString& name, int32_t minimum, int32_t maximum = kUnbounded) {
    return named(new SpinEdit(SpinEdit::Unit::Number, minimum, maximum), name);
}

SpinEdit* marginEdit(const QString& name) {
    return named(new SpinEdit(SpinEdit::Unit::Millimetre, 0, kUnbounded), name);
}

QComboBox* comboOf(const QString& name, const QStringList& items) {
    auto* combo = named(new QComboBox, name);
    combo->addItems(items);
    return combo;
}

QLabel* labelFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QLayout* printerRows(const PageSetupForm& form) {
    auto* grid = new QGridLayout;
    grid->addWidget(labelFor(QStringLiteral("打印机:"), form.printer), 0, 0);
    grid->addWidget(form.printer, 0, 1);
    grid->addWidget(form.printerSetup, 0, 2);
    grid->addWidget(form.printToFile, 1, 0);
    grid->addWidget(form.printFileName, 1, 1);
    grid->addWidget(form.browseFile, 1, 2);
    grid->setColumnStretch(1, 1);
    return grid;
}

QGroupBox* marginGroup(const PageSetupForm& form) {
    auto* group = new QGroupBox(QStringLiteral("页边距(单位:毫米)"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(labelFor(QStringLiteral("上:"), form.marginTop), 0, 0);
    grid->addWidget(form.marginTop, 0, 1);
    grid->addWidget(labelFor(QStringLiteral("下:"), form.marginBottom), 0, 2);
    grid->addWidget(form.marginBottom, 0, 3);
    grid->addWidget(labelFor(QStringLiteral("左:"), form.marginLeft), 1, 0);
    grid->addWidget(form.marginLeft, 1, 1);
    grid->addWidget(labelFor(QStringLiteral("右:"), form.marginRight), 1, 2);
    grid->addWidget(form.marginRight, 1, 3);
    return group;
}

QGroupBox* scaleGroup(const PageSetupForm& form) {
    auto* group = new QGroupBox(QStringLiteral("缩放"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(form.fitToWidth, 0, 0, 1, 3);
    grid->addWidget(form.shrinkToWidth, 1, 0, 1, 3);
    grid->addWidget(form.customScale, 2, 0);
    grid->addWidget(labelFor(QStringLiteral("缩放百分比:"), form.scale), 2, 1);
    grid->addWidget(form.scale, 2, 2);
    return group;
}

QGroupBox* rangeGroup(const PageSetupForm& form) {
    auto* group = new QGroupBox(QStringLiteral("打印范围"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(labelFor(QStringLiteral("奇偶页方式:"), form.oddEvenMode), 0, 0);
    grid->addWidget(form.oddEvenMode, 0, 1);
    grid->addWidget(form.allPages, 1, 0, 1, 2);
    grid->addWidget(form.pageRange, 2, 0, 1, 2);
    grid->addWidget(form.rowRange, 3, 0, 1, 2);
    form.startLabel->setBuddy(form.start);
    grid->addWidget(form.startLabel, 4, 0);
    grid->addWidget(form.start, 4, 1);
    form.endLabel->setBuddy(form.end);
    grid->addWidget(form.endLabel, 5, 0);
    grid->addWidget(form.end, 5, 1);
    grid->addWidget(form.toEnd, 6, 0, 1, 2);
    return group;
}

QLayout* otherFields(const PageSetupForm& form) {
    auto* grid = new QGridLayout;
    grid->addWidget(labelFor(QStringLiteral("打印份数:"), form.copies), 0, 0);
    grid->addWidget(form.copies, 0, 1);
    grid->addWidget(labelFor(QStringLiteral("页号位置:"), form.pageNumberPosition), 0, 2);
    grid->addWidget(form.pageNumberPosition, 0, 3);
    grid->addWidget(labelFor(QStringLiteral("首页打印页号:"), form.firstPageNumber), 1, 0);
    grid->addWidget(form.firstPageNumber, 1, 1);
    grid->addWidget(labelFor(QStringLiteral("每页打印行数(为0自动判断):"), form.rowsPerPage), 1, 2);
    grid->addWidget(form.rowsPerPage, 1, 3);
    grid->addWidget(form.repeatLastRow, 2, 0, 1, 2);
    grid->addWidget(form.addTableLines, 2, 2, 1, 2);
    return grid;
}

QLayout* buttonRow(const PageSetupForm& form) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(form.confirm);
    row->addWidget(form.cancel);
    return row;
}

}  // namespace

PageSetupForm::PageSetupForm(QDialog* dialog)
    : printer(named(new QComboBox, QStringLiteral("printer"))),
      printerSetup(named(new QPushButton(QStringLiteral("设置(&S)")), QStringLiteral("printerSetup"))),
      printToFile(named(new QCheckBox(QStringLiteral("打印到文件:")), QStringLiteral("printToFile"))),
      printFileName(named(new QLineEdit, QStringLiteral("printFileName"))),
      browseFile(named(new QPushButton(QStringLiteral("...")), QStringLiteral("browseFile"))),
      marginTop(marginEdit(QStringLiteral("marginTop"))),
      marginBottom(marginEdit(QStringLiteral("marginBottom"))),
      marginLeft(marginEdit(QStringLiteral("marginLeft"))),
      marginRight(marginEdit(QStringLiteral("marginRight"))),
      fitToWidth(named(new QRadioButton(QStringLiteral("缩放到纸宽")), QStringLiteral("fitToWidth"))),
      shrinkToWidth(named(new QRadioButton(QStringLiteral("如超宽则压缩到纸宽")), QStringLiteral("shrinkToWidth"))),
      customScale(named(new QRadioButton(QStringLiteral("自定义:")), QStringLiteral("customScale"))),
      scale(numberEdit(QStringLiteral("scale"), 20, 1000)),
      oddEvenMode(comboOf(QStringLiteral("oddEvenMode"), {QStringLiteral("打印全部页"), QStringLiteral("仅打印奇数页"),
                                                           QStringLiteral("仅打印偶数页")})),
      allPages(named(new QRadioButton(QStringLiteral("打印所有页")), QStringLiteral("allPages"))),
      pageRange(named(new QRadioButton(QStringLiteral("打印页范围")), QStringLiteral("pageRange"))),
      rowRange(named(new QRadioButton(QStringLiteral("打印行范围")), QStringLiteral("rowRange"))),
      start(numberEdit(QStringLiteral("start"), 1)),
      end(numberEdit(QStringLiteral("end"), 1)),
      toEnd(named(new QCheckBox(QStringLiteral("打印到结尾")), QStringLiteral("toEnd"))),
      copies(numberEdit(QStringLiteral("copies"), 1)),
      pageNumberPosition(comboOf(QStringLiteral("pageNumberPosition"),
                                 {QStringLiteral("无"), QStringLiteral("上边左"), QStringLiteral("上边中"),
                                  QStringLiteral("上边右"), QStringLiteral("下边左"), QStringLiteral("下边中"),
                                  QStringLiteral("下边右")})),
      firstPageNumber(numberEdit(QStringLiteral("firstPageNumber"), 1)),
      repeatLastRow(named(new QCheckBox(QStringLiteral("自动重复尾行填充尾页空白")), QStringLiteral("repeatLastRow"))),
      addTableLines(named(new QCheckBox(QStringLiteral("自动添加表格线")), QStringLiteral("addTableLines"))),
      rowsPerPage(numberEdit(QStringLiteral("rowsPerPage"), 0)),
      confirm(named(new QPushButton(QStringLiteral("确认(&O)")), QStringLiteral("confirm"))),
      cancel(named(new QPushButton(QStringLiteral("取消(&C)")), QStringLiteral("cancel"))),
      startLabel(named(new QLabel(QStringLiteral("起始页号:")), QStringLiteral("startLabel"))),
      endLabel(named(new QLabel(QStringLiteral("结束页号:")), QStringLiteral("endLabel"))) {
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(marginGroup(*this));
    leftColumn->addWidget(scaleGroup(*this));
    auto* columns = new QHBoxLayout;
    columns->addLayout(leftColumn);
    columns->addWidget(rangeGroup(*this));

    auto* layout = new QVBoxLayout(dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(printerRows(*this));
    layout->addLayout(columns);
    layout->addLayout(otherFields(*this));
    layout->addLayout(buttonRow(*this));
    confirm->setDefault(true);

    QWidget* const tabOrder[] = {
        printer,     printerSetup, printToFile,        printFileName,   browseFile,    marginTop,     marginBottom,
        marginLeft,  marginRight,  fitToWidth,         shrinkToWidth,   customScale,   scale,         oddEvenMode,
        allPages,    pageRange,    rowRange,           start,           end,           toEnd,         copies,
        pageNumberPosition,        firstPageNumber,    repeatLastRow,   addTableLines, rowsPerPage,   confirm,
        cancel};
    for (size_t i = 1; i < std::size(tabOrder); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

}  // namespace grid
