// Velloran: write Rich Text Format documents from code.
//
//     auto doc = std::make_shared<velloran::cDocument>();
//     auto run = std::make_shared<velloran::cText>();
//     run->Text("Hello");
//     auto para = std::make_shared<velloran::cParagraph>();
//     para->InsertText(run);
//     auto page = std::make_shared<velloran::cPage>();
//     page->InsertParagraph(para);
//     doc->InsertPage(page);
//     doc->Save("hello.rtf");
#pragma once

#include <velloran/version.hpp>
#include <velloran/export.hpp>
#include <velloran/types.hpp>
#include <velloran/cell_array.hpp>
#include <velloran/module.hpp>
#include <velloran/border.hpp>
#include <velloran/text.hpp>
#include <velloran/paragraph.hpp>
#include <velloran/cell.hpp>
#include <velloran/page.hpp>
#include <velloran/document.hpp>
#include <velloran/picture.hpp>
#include <velloran/point.hpp>
#include <velloran/line.hpp>
#include <velloran/rect.hpp>
#include <velloran/ellipse.hpp>
#include <velloran/polyline.hpp>
#include <velloran/polygon.hpp>
#include <velloran/drawing_text.hpp>
#include <velloran/drawing.hpp>
