// The floor Qt sets for start-up: a dialog at the size given as width and height, with one line of text,
// so that the font database is loaded as in any dialog with a caption, and a slider.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSlider>

#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    QDialog dialog;
    dialog.resize(std::atoi(argv[1]), std::atoi(argv[2]));
    QLabel label(QStringLiteral("Brightness"), &dialog);
    label.move(20, 170);
    QSlider slider(Qt::Horizontal, &dialog);
    slider.setGeometry(20, 200, 300, 24);
    return dialog.exec();
}
