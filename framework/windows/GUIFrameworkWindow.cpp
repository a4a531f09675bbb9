#include "framework/windows/GUIFrameworkWindow.h"

namespace GameFramework {

void GUIFrameworkWindow::UpdateWindow()
{
    result_ = 0;
}

void GUIFrameworkWindow::ShowWindow(Halvard::u32 opener)
{
    opener_ = opener;
}

void GUIFrameworkWindow::HideWindow()
{
    resultConsumed_ = true;
}

void GUIFrameworkWindow::ReportOutsideUpdate(Halvard::u32 result)
{
    result_ = result;
    resultConsumed_ = false;
}

void GUIFrameworkWindow::ResetResult()
{
    if (resultConsumed_)
        result_ = 0;
    resultConsumed_ = true;
}

} // namespace GameFramework
