#include "gui/CDlgChooseFolder.h"

#include <QStyle>

#include "gui/folder_listing.h"
#include "ui_CDlgChooseFolder.h"

namespace {

// The chooser's current folder belongs to the process, not to one run of the dialog.
QString& ProcessCurrentPath()
{
    static QString path;
    return path;
}

// Under a folder whose contents have not been read yet, so that the tree offers to
// open it. The drive's root one carries the root path; the others "1".
const QString kPlaceholderText = QStringLiteral("1");

QString PathOf(const QTreeWidgetItem* item)
{
    return item->parent() ? zvk::JoinPath(PathOf(item->parent()), item->text(0)) : item->text(0);
}

} // namespace

CDlgChooseFolder::CDlgChooseFolder(QWidget* parent) : CDlgChooseFolder(zvk::LocalDrives(), parent)
{}

CDlgChooseFolder::CDlgChooseFolder(zvk::DriveList drives, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CDlgChooseFolder>())
{
    m_ui->setupUi(this);
    m_folderIcon.addPixmap(style()->standardIcon(QStyle::SP_DirClosedIcon).pixmap(16),
                           QIcon::Normal);
    m_folderIcon.addPixmap(style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16),
                           QIcon::Selected);
    m_ui->folderTree->setIconSize(QSize(16, 16));

    for (const zvk::Drive& drive : drives.drives)
        m_ui->driveCombo->addItem(drive.name, drive.root);
    m_ui->driveCombo->setCurrentIndex(static_cast<int>(drives.preselected));

    connect(m_ui->driveCombo, &QComboBox::currentIndexChanged, this, &CDlgChooseFolder::ShowDrive);
    connect(m_ui->folderTree, &QTreeWidget::itemExpanded, this, &CDlgChooseFolder::FillChildren);
    connect(m_ui->folderTree, &QTreeWidget::itemCollapsed, this,
            &CDlgChooseFolder::KeepSelectionInSight);
    connect(m_ui->folderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) {
                if (current)
                    ShowPath(PathOf(current));
            });
    connect(m_ui->okButton, &QPushButton::clicked, this, &CDlgChooseFolder::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CDlgChooseFolder::reject);

    ShowDrive(m_ui->driveCombo->currentIndex());
}

CDlgChooseFolder::~CDlgChooseFolder() = default;

QString CDlgChooseFolder::CurrentPath()
{
    return ProcessCurrentPath();
}

void CDlgChooseFolder::ShowDrive(int index)
{
    QTreeWidget* tree = m_ui->folderTree;
    tree->clear();
    if (index < 0) {
        // No drive chosen yet: no folder to offer.
        ShowPath(QString());
        return;
    }
    const QString root = m_ui->driveCombo->itemData(index).toString();
    ShowPath(root);
    QTreeWidgetItem* rootItem = AddFolderItem(nullptr, root);
    AddFolderItem(rootItem, root);
    rootItem->setExpanded(true);
    tree->setCurrentItem(rootItem);
    // A drive that cannot be read shows its root alone, without an expand button.
    tree->setRootIsDecorated(rootItem->childCount() > 0);
}

void CDlgChooseFolder::FillChildren(QTreeWidgetItem* item)
{
    const QString path = PathOf(item);
    qDeleteAll(item->takeChildren());
    const QStringList names = zvk::ListedSubfolders(path);
    for (const QString& name : names) {
        QTreeWidgetItem* child = AddFolderItem(item, name);
        if (zvk::HasSubfolder(zvk::JoinPath(path, name)))
            AddFolderItem(child, kPlaceholderText);
    }
}

void CDlgChooseFolder::KeepSelectionInSight(QTreeWidgetItem* collapsed)
{
    QTreeWidget* tree = m_ui->folderTree;
    for (const QTreeWidgetItem* item = tree->currentItem(); item; item = item->parent()) {
        if (item->parent() == collapsed) {
            tree->setCurrentItem(collapsed);
            return;
        }
    }
}

QTreeWidgetItem* CDlgChooseFolder::AddFolderItem(QTreeWidgetItem* parent, const QString& text)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setIcon(0, m_folderIcon);
    if (parent)
        parent->addChild(item);
    else
        m_ui->folderTree->addTopLevelItem(item);
    return item;
}

void CDlgChooseFolder::ShowPath(const QString& path)
{
    ProcessCurrentPath() = path;
    m_ui->pathEdit->setText(path);
    m_ui->okButton->setEnabled(!path.isEmpty());
}
