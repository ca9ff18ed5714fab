#include "common/ProgressWindow.h"

#include "common/OperatorUi.h"

namespace Common {

ProgressWindow::ProgressWindow(OperatorUi &ui, QObject *parent) : QObject(parent), ui_(ui)
{
}

void ProgressWindow::frmWait(int WaitVal)
{
    if (WaitVal == -1) {
        shown_ = true;
        ui_.showProgressWindow(true);
        return;
    }
    lblMaj.setText(kDefaultCaption);
    detail.setText({});
    shown_ = false;
    ui_.hideProgressWindow();
}

void ProgressWindow::load()
{
    shown_ = true;
    ui_.showProgressWindow(false);
}

void ProgressWindow::setMin(float v)
{
    min_ = v;
    emit barChanged();
}

void ProgressWindow::setMax(float v)
{
    max_ = v;
    emit barChanged();
}

void ProgressWindow::setValue(float v)
{
    value_ = v;
    emit barChanged();
    emit valueSet(v);
}

void ProgressWindow::setRange(float start, float maximum)
{
    setMin(0);
    setValue(start);
    setMax(maximum);
}

} // namespace Common
