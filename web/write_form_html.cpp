// Prints the form as HTML for the page ("form"), its style sheet ("css"), or the page's title
// ("title"); the build runs it under node and writes its output into the page.

#include "web/form_html.h"

#include <iostream>
#include <string_view>

int main(int argc, char *argv[])
{
    const std::string_view what = argc > 1 ? argv[1] : "form";
    std::cout << (what == "title" ? velmora::FormTitle()
                  : what == "css" ? velmora::FormCss()
                                  : velmora::FormHtml())
              << std::endl;
    return 0;
}
