#include "display/display_window.h"

#include <QCloseEvent>

namespace orvalen {

void DisplayWindow::load() {}
void DisplayWindow::Frm_Resize() {}
void DisplayWindow::fromRefresh() {}
void DisplayWindow::ShowStatue() { ShowStatue(Label3->text(), int(Label3->font().pointSizeF())); }
void DisplayWindow::ShowStatue(const QString&, int) {}
void DisplayWindow::ShowStatuechao() { ShowStatuechao(Label4->text(), int(Label4->font().pointSizeF())); }
void DisplayWindow::ShowStatuechao(const QString&, int) {}
void DisplayWindow::dongtaiRefresh() {}
void DisplayWindow::dongtaiRefresh(int) {}
void DisplayWindow::backgroundupdate(int) {}
void DisplayWindow::resizeEvent(QResizeEvent* e) { QWidget::resizeEvent(e); }
void DisplayWindow::changeEvent(QEvent* e) { QWidget::changeEvent(e); }
void DisplayWindow::closeEvent(QCloseEvent* e) { QWidget::closeEvent(e); }
bool DisplayWindow::eventFilter(QObject* o, QEvent* e) { return QWidget::eventFilter(o, e); }

} // namespace orvalen
