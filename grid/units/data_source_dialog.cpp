#include "grid/units/data_source_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPointer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "grid/provider/odbc/connection_text.h"
#include "grid/provider/odbc/data_source_list.h"
#include "runtime/platform/file_dialog_folder.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {
namespace {

QString fromUtf16(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

std::u16string utf16Of(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

// A value in braces when it needs them, so any name fits into the text.
QString connectionText(const std::vector<odbc::ConnectionAttribute>& attributes) {
    return fromUtf16(odbc::composeConnectionText(attributes));
}

void addChoices(QListWidget& list, const odbc::TextCodec& codec) {
    for (const odbc::DataSourceEntry& source : odbc::listDataSources(codec)) {
        QString caption = (source.isSystem ? QStringLiteral("系统数据源：") : QStringLiteral("用户数据源：")) +
                          rt::fromGbk(source.name) + QStringLiteral("（") + rt::fromGbk(source.description) +
                          QStringLiteral("）");
        auto* item = new QListWidgetItem(caption, &list);
        item->setData(Qt::UserRole, connectionText({{u"DSN", codec.toUtf16(source.name)}}));
    }
    for (const odbc::DriverEntry& driver : odbc::listDrivers(codec)) {
        auto* item = new QListWidgetItem(QStringLiteral("驱动程序：") + rt::fromGbk(driver.name), &list);
        item->setData(Qt::UserRole, connectionText({{u"Driver", codec.toUtf16(driver.name)}}));
    }
}

// The connection text travels as GBK (the units, the settings file), which cannot hold
// every file name; as a file: address, which the driver also takes, a name beyond ASCII
// is ASCII and survives, whatever its characters.
QString sqliteFileName(const QString& path) {
    bool ascii = std::all_of(path.begin(), path.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? path : QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
}

// Only a file that is there: NoCreat keeps the driver from making an empty database
// of a mistyped name.
QString chooseSqliteFile(QWidget* parent) {
    QFileDialog files(parent, QStringLiteral("选择 SQLite 数据库文件"));
    files.setFileMode(QFileDialog::ExistingFile);
    files.setNameFilters({QStringLiteral("SQLite 数据库 (*.db *.sqlite *.sqlite3 *.db3)"), QStringLiteral("所有文件 (*)")});
    const QString path = rt::runFileDialog(files);
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    return connectionText({{u"Driver", u"SQLite3"}, {u"Database", utf16Of(sqliteFileName(path))}, {u"NoCreat", u"1"}});
}

}  // namespace

std::optional<std::string> chooseDataSource(const odbc::TextCodec& codec) {
    // On the heap and watched: the window it belongs to may go away while it is open
    // (the editor is being closed), and takes the dialog with it.
    QPointer<QDialog> dialog = new QDialog(QApplication::activeWindow());
    dialog->setWindowTitle(QStringLiteral("选择数据源"));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(QStringLiteral("数据源和驱动程序："), dialog));
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("choices"));
    addChoices(*list, codec);
    layout->addWidget(list);
    auto* sqlite = new QPushButton(QStringLiteral("SQLite 数据库文件(&F)..."), dialog);
    sqlite->setObjectName(QStringLiteral("sqliteFile"));
    layout->addWidget(sqlite);
    layout->addWidget(new QLabel(QStringLiteral("连接文本："), dialog));
    auto* text = new QLineEdit(dialog);
    text->setObjectName(QStringLiteral("connectionText"));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    // The selection, not the current item: the list makes its first item current when
    // it takes the focus, which is no choice of the person's.
    QObject::connect(list, &QListWidget::itemSelectionChanged, text, [list, text] {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        if (!selected.isEmpty()) text->setText(selected.front()->data(Qt::UserRole).toString());
    });
    QObject::connect(sqlite, &QPushButton::clicked, text, [text, dialog] {
        QString chosen = chooseSqliteFile(dialog);
        if (!chosen.isEmpty()) text->setText(chosen);
    });
    QObject::connect(text, &QLineEdit::textChanged, ok,
                     [ok](const QString& typed) { ok->setEnabled(!typed.trimmed().isEmpty()); });
    ok->setEnabled(false);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);

    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) return std::nullopt;
    const std::string chosen = codec.toGbk(utf16Of(text->text().trimmed()));
    delete dialog;
    if (!accepted) return std::nullopt;
    return chosen;
}

}  // namespace grid
