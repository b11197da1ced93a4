// The toolkit's application object as every dialog of ours expects it.
#pragma once

#include <QApplication>

class DialogApplication : public QApplication {
public:
    // `argc` must outlive the application, as for QApplication.
    DialogApplication(int& argc, char** argv);
};
