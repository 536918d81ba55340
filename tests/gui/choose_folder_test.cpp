#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

#include "gui/CDlgChooseFolder.h"
#include "gui/control_ids.h"
#include "gui/drive_list.h"
#include "support/slovak_collation.h"
#include "support/temp_dir.h"

namespace {

constexpr int kDriveList = 1005;
constexpr int kFolderTree = 1009;
constexpr int kPathBox = 1010;
constexpr int kOk = 1;

template <typename Control> Control* Find(const QWidget* dialog, int id)
{
    auto* control = qobject_cast<Control*>(zvk::FindControl(dialog, id));
    Q_ASSERT(control != nullptr);
    return control;
}

QStringList ChildTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

QTreeWidgetItem* Child(const QTreeWidgetItem* item, const QString& text)
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == text)
            return item->child(i);
    }
    return nullptr;
}

} // namespace

class ChooseFolderTest : public QObject
{
    Q_OBJECT

private:
    zvk::test::TempDir m_temp;
    QString m_driveA;
    QString m_driveC;

    void MakeFolders(const QString& root, const QStringList& folders)
    {
        for (const QString& folder : folders)
            QVERIFY(QDir(root).mkpath(folder));
    }

    // A folder on the drive C: as the chooser shows it, with the system's separators.
    QString OnDriveC(const QString& relative) const
    {
        return QDir::toNativeSeparators(m_driveC + QLatin1Char('/') + relative);
    }

    zvk::DriveList Drives(qsizetype preselected) const
    {
        return {{{QStringLiteral("A:"), m_driveA}, {QStringLiteral("C:"), m_driveC}}, preselected};
    }

private slots:
    void initTestCase()
    {
        // Folder names sort by the rules of the user's language: Slovak here.
        QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
        const QString temp = QString::fromStdString(m_temp.Path().string());
        m_driveA = QDir::toNativeSeparators(temp + QStringLiteral("/A"));
        m_driveC = QDir::toNativeSeparators(temp + QStringLiteral("/C"));
        MakeFolders(m_driveA, {QStringLiteral("Iný")});
        MakeFolders(m_driveC,
                    {QStringLiteral(".config/nastavenia"), QStringLiteral(".skryty"),
                     QStringLiteral("Alfa/Vnorený/Hlboko"), QStringLiteral("beta"),
                     QStringLiteral("Cesta/.git"), QStringLiteral("čerešňa"),
                     QStringLiteral("chata"), QStringLiteral("hora"), QStringLiteral("Dub")});
        m_temp.Write("C/beta/zoznam.dat", "HD");
        m_temp.Write("C/subor.txt", "");
    }

    void opensOnThePreselectedDriveWithItsVisibleFoldersSorted()
    {
        if (!zvk::test::SystemSortsSlovak())
            QSKIP("This system cannot order text by the Slovak rules");
        CDlgChooseFolder dialog(Drives(1));
        QCOMPARE(Find<QComboBox>(&dialog, kDriveList)->currentText(), QStringLiteral("C:"));
        QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), m_driveC);

        auto* tree = Find<QTreeWidget>(&dialog, kFolderTree);
        QCOMPARE(tree->topLevelItemCount(), 1);
        const QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), m_driveC);
        QVERIFY(root->isExpanded());
        QVERIFY(tree->rootIsDecorated());
        // Hidden and dot-named folders and plain files are left out; č after c, ch after h.
        QCOMPARE(ChildTexts(root),
                 QStringList({"Alfa", "beta", "Cesta", "čerešňa", "Dub", "hora", "chata"}));
        // Only folders with a subfolder to show can be opened: beta holds files only,
        // the only subfolder of Cesta is hidden by its leading dot.
        QCOMPARE(ChildTexts(Child(root, "Alfa")), QStringList{"1"});
        QCOMPARE(Child(root, "beta")->childCount(), 0);
        QCOMPARE(Child(root, "Cesta")->childCount(), 0);
    }

    void openingAndSelectingFoldersGivesTheirPath()
    {
        {
            CDlgChooseFolder dialog(Drives(1));
            auto* tree = Find<QTreeWidget>(&dialog, kFolderTree);
            QTreeWidgetItem* alfa = Child(tree->topLevelItem(0), "Alfa");
            alfa->setExpanded(true);
            QCOMPARE(ChildTexts(alfa), QStringList{"Vnorený"});
            QTreeWidgetItem* nested = alfa->child(0);
            nested->setExpanded(true);
            QCOMPARE(ChildTexts(nested), QStringList{"Hlboko"});
            QCOMPARE(nested->child(0)->childCount(), 0);

            tree->setCurrentItem(tree->topLevelItem(0));
            QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), m_driveC);
            tree->setCurrentItem(nested->child(0));
            const QString deep = OnDriveC(QStringLiteral("Alfa/Vnorený/Hlboko"));
            QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), deep);

            QTest::mouseClick(Find<QPushButton>(&dialog, kOk), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(CDlgChooseFolder::CurrentPath(), deep);
        }
        // Kept after the dialog is gone, until the next one opens.
        QCOMPARE(CDlgChooseFolder::CurrentPath(), OnDriveC(QStringLiteral("Alfa/Vnorený/Hlboko")));
        CDlgChooseFolder next(Drives(0));
        QCOMPARE(CDlgChooseFolder::CurrentPath(), m_driveA);
    }

    void reopeningAFolderReadsTheDiskAgain()
    {
        CDlgChooseFolder dialog(Drives(1));
        auto* tree = Find<QTreeWidget>(&dialog, kFolderTree);
        QTreeWidgetItem* hora = Child(tree->topLevelItem(0), "hora");
        QCOMPARE(hora->childCount(), 0);
        MakeFolders(m_driveC, {QStringLiteral("hora/Nový")});
        hora->setExpanded(true);
        QCOMPARE(ChildTexts(hora), QStringList{"Nový"});
        tree->setCurrentItem(hora->child(0));
        QVERIFY(QDir(m_driveC + QStringLiteral("/hora/Nový")).removeRecursively());

        // Closing the folder over the selection selects the folder itself.
        hora->setExpanded(false);
        QCOMPARE(tree->currentItem(), hora);
        QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), OnDriveC(QStringLiteral("hora")));
        hora->setExpanded(true);
        QCOMPARE(hora->childCount(), 0);
    }

    void choosingAnotherDriveStartsAtItsRoot()
    {
        CDlgChooseFolder dialog(Drives(1));
        auto* tree = Find<QTreeWidget>(&dialog, kFolderTree);
        tree->setCurrentItem(Child(tree->topLevelItem(0), "Dub"));
        QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), OnDriveC(QStringLiteral("Dub")));

        Find<QComboBox>(&dialog, kDriveList)->setCurrentIndex(0);
        QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), m_driveA);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), m_driveA);
        QCOMPARE(ChildTexts(tree->topLevelItem(0)), QStringList{"Iný"});
        QTest::mouseClick(Find<QPushButton>(&dialog, kOk), Qt::LeftButton);
        QCOMPARE(CDlgChooseFolder::CurrentPath(), m_driveA);
    }

    void withoutAPreselectedDriveNothingCanBeChosenUntilOneIs()
    {
        CDlgChooseFolder dialog(Drives(-1));
        QCOMPARE(Find<QComboBox>(&dialog, kDriveList)->currentIndex(), -1);
        QCOMPARE(Find<QTreeWidget>(&dialog, kFolderTree)->topLevelItemCount(), 0);
        QVERIFY(Find<QLineEdit>(&dialog, kPathBox)->text().isEmpty());
        QVERIFY(!Find<QPushButton>(&dialog, kOk)->isEnabled());

        Find<QComboBox>(&dialog, kDriveList)->setCurrentIndex(1);
        QCOMPARE(Find<QLineEdit>(&dialog, kPathBox)->text(), m_driveC);
        QVERIFY(Find<QPushButton>(&dialog, kOk)->isEnabled());
    }

    void unreadableFoldersAndDrivesShowNoChildren()
    {
#ifdef Q_OS_WIN
        QSKIP("A folder nobody may read is made with permission bits, which Windows lacks");
#endif
        CDlgChooseFolder dialog(Drives(1));
        auto* tree = Find<QTreeWidget>(&dialog, kFolderTree);
        QTreeWidgetItem* alfa = Child(tree->topLevelItem(0), "Alfa");
        QCOMPARE(alfa->childCount(), 1);
        const QByteArray alfaPath = QFile::encodeName(m_driveC + QStringLiteral("/Alfa"));
        const QByteArray driveA = QFile::encodeName(m_driveA);
        QCOMPARE(chmod(alfaPath.constData(), 0), 0);
        QCOMPARE(chmod(driveA.constData(), 0), 0);
        const bool folderShownEmpty = zvk::test::AsOrdinaryUser([alfa] {
            alfa->setExpanded(true);
            return alfa->childCount() == 0;
        });
        const bool driveShownBare = zvk::test::AsOrdinaryUser([&dialog, tree, this] {
            Find<QComboBox>(&dialog, kDriveList)->setCurrentIndex(0);
            const QTreeWidgetItem* root = tree->topLevelItem(0);
            return root->text(0) == m_driveA && root->childCount() == 0 &&
                   !tree->rootIsDecorated() &&
                   Find<QLineEdit>(&dialog, kPathBox)->text() == m_driveA;
        });
        QCOMPARE(chmod(alfaPath.constData(), 0755), 0);
        QCOMPARE(chmod(driveA.constData(), 0755), 0);
        QVERIFY(folderShownEmpty);
        QVERIFY(driveShownBare);
    }

    void preselectsTheDriveHoldingAFolder()
    {
        const auto native = [](const char* path) { return QDir::toNativeSeparators(path); };
        const QList<zvk::Drive> drives = {{native("/"), native("/")},
                                          {native("/home"), native("/home")},
                                          {native("/home/data"), native("/home/data")},
                                          {native("/mnt"), native("/mnt")}};
        QCOMPARE(zvk::DriveHolding(drives, native("/home/eva")), 1);
        QCOMPARE(zvk::DriveHolding(drives, native("/home")), 1);
        QCOMPARE(zvk::DriveHolding(drives, native("/home/data/zoznamy")), 2);
        QCOMPARE(zvk::DriveHolding(drives, native("/homeless/eva")), 0);
        QCOMPARE(zvk::DriveHolding(drives.mid(1), native("/srv")), -1);

        const zvk::DriveList local = zvk::LocalDrives();
        QVERIFY(local.preselected >= 0);
#ifdef Q_OS_WIN
        // The logical drives by their letters, as "C:", with C: chosen.
        for (const zvk::Drive& drive : local.drives) {
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z]:$")).match(drive.name).hasMatch(),
                     qPrintable(drive.name));
            QCOMPARE(drive.root, drive.name + QLatin1Char('\\'));
        }
        QCOMPARE(local.drives[local.preselected].name, QStringLiteral("C:"));
#else
        QVERIFY(local.drives.first().root == QDir::rootPath());
#endif
    }
};

QTEST_MAIN(ChooseFolderTest)
#include "choose_folder_test.moc"
