// The baseline of the wizard's start-up benchmark: a minimal Qt program that
// shows an empty QWizard and ends when its page has been painted.
#include <QApplication>
#include <QWizard>
#include <QWizardPage>

#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWizard wizard;
    auto* page = new QWizardPage;
    wizard.addPage(page);
    QuitOnFirstPaint quit(page);
    wizard.show();
    return QApplication::exec();
}
