// Prints the form as HTML for the page ("form"), its style sheet ("css"), the page's title ("title"),
// the ids the page's parts name ("ids"), or the described layout for the page's tests ("layout"); the
// build runs it under node and writes its output into the page, and the layout beside it.

#include "web/form_html.h"

#include <iostream>
#include <string_view>

int main(int argc, char *argv[])
{
    const std::string_view what = argc > 1 ? argv[1] : "form";
    std::cout << (what == "title"    ? velmora::FormTitle()
                  : what == "css"    ? velmora::FormCss()
                  : what == "layout" ? velmora::FormLayout()
                  : what == "ids"    ? velmora::PageIds()
                                     : velmora::FormHtml())
              << std::endl;
    return 0;
}
