#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

// The main window arrives with the transfers; until then the program shows its
// title and points to the command-line tool that does the list work.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ZVK PC V4.00"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(
        new QLabel(QStringLiteral("Zoznamy konvertuje a importuje nástroj zvk (zvk --help).")));
    window.show();
    return app.exec();
}
