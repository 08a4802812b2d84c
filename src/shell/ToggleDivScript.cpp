#include "shell/ToggleDivScript.h"

namespace bkl {

QString GetToggleDivScript()
{
    return QStringLiteral("<script type='text/javascript'>"
                          "function toggleDiv(id) {"
                          " var e = document.getElementById(id);"
                          " if(e.style.display == '')"
                          " e.style.display = 'none';"
                          " else"
                          " e.style.display = '';"
                          " }"
                          "</script>");
}

} // namespace bkl
