#pragma once

#include <memory>

#include <QDialog>
#include <QIcon>

#include "gui/drive_list.h"

class QTreeWidgetItem;

namespace Ui {
class CDlgChooseFolder;
}

// "Adresár:": picks the folder that receives data lists from a drive list and a
// tree of that drive's folders. A folder's subfolders are read from the disk each
// time it is opened, so the tree always shows the disk as it is.
class CDlgChooseFolder : public QDialog
{
    Q_OBJECT

public:
    // On the drives of this computer.
    explicit CDlgChooseFolder(QWidget* parent = nullptr);
    // On the given drives instead: a test gives folders of its own as drives.
    explicit CDlgChooseFolder(zvk::DriveList drives, QWidget* parent = nullptr);
    ~CDlgChooseFolder() override;

    // The folder in the path box, kept for the whole process between runs of the
    // chooser; after OK, the chosen folder. A drive's root keeps its trailing
    // separator ("C:\", "/"); no other folder has one.
    static QString CurrentPath();

private:
    void ShowDrive(int index);
    void FillChildren(QTreeWidgetItem* item);
    // A folder closed over the selected one takes the selection, so that the path
    // box and OK never name a folder out of sight.
    void KeepSelectionInSight(QTreeWidgetItem* collapsed);
    QTreeWidgetItem* AddFolderItem(QTreeWidgetItem* parent, const QString& text);
    void ShowPath(const QString& path);

    std::unique_ptr<Ui::CDlgChooseFolder> m_ui;
    // Closed folder, and open folder when selected.
    QIcon m_folderIcon;
};
