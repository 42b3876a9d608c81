#pragma once
#include <string>

namespace vk::e2e {

// Describes what a person would see on this Wine desktop, one fact a line,
// fields separated by tabs:
//   tray        left top right bottom tip        (one line per icon shown in the tray)
//   window      exe pid visible class title      (every top-level window)
//   menu        exe pid left top right bottom    (open pop-up menus)
//   tooltip     exe pid left top right bottom    (tool tips on the screen)
//   dialog      exe pid left top right bottom title texts
//                                                (visible dialog boxes; texts of their static
//                                                 controls and buttons, joined with " | ")
//   button      exe pid left top right bottom text
//                                                (the visible buttons of those dialog boxes)
//   form        exe pid form left top right bottom title
//                                                (visible forms of the program: windows of
//                                                 class VesperkitForm; form is its handle)
//   control     form left top right bottom class text
//                                                (the visible controls of those forms, at any
//                                                 depth, in the order Windows lists them)
// Coordinates are screen pixels of the desktop.
std::string DescribeDesktop();

}  // namespace vk::e2e
