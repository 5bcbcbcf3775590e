#include "app/menu_table.h"

#include <QMdiArea>
#include <algorithm>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "lang/text_ids.h"
#include "lang/text_table.h"

namespace {

using namespace textid;

// A command of the active document's window.
template <void (CChildFrame::*act)()>
void onActiveChild(CMainFrame& frame) {
    if (CChildFrame* child = frame.activeChild(); child && child->openDocument()) (child->*act)();
}

constexpr MenuRow kRows[] = {
    {0, 0, kMenuFile, "", ""},
    {1, 57600, kItemNew, "Ctrl+N", "new.svg", [](CMainFrame& f) { f.newDocument(); }, kWithoutDocument},
    {1, 57601, kItemOpen, "Ctrl+O", "open.svg", [](CMainFrame& f) { f.openWithDialog(); }, kWithoutDocument},
    {1, 32786, kItemRecentFiles, "", ""},
    {1, 57603, kItemSave, "Ctrl+S", "save.svg", [](CMainFrame& f) { f.saveDocument(f.activeChild()); }},
    {1, 32781, kItemSaveAs, "", "", [](CMainFrame& f) { f.saveDocumentAs(f.activeChild()); }},
    {1, 0, 0, "", ""},
    {1, 32782, kItemSaveBitmap, "", "", onActiveChild<&CChildFrame::saveAsBitmap>},
    {1, 32902, kItemExportModel, "", "", onActiveChild<&CChildFrame::exportModel>},
    {1, 57607, kItemPrint, "Ctrl+P", "print.svg", onActiveChild<&CChildFrame::print>},
    {1, 32783, kItemPrintOptions, "", "", [](CMainFrame& f) { f.printOptions(); }, kWithoutDocument},
    {1, 0, 0, "", ""},
    {1, 57602, kItemClose, "Ctrl+F4", "", [](CMainFrame& f) { f.closeActiveDocument(); }},
    {1, 0, 0, "", ""},
    {1, 32778, kItemOptions, "", "options.svg", [](CMainFrame& f) { f.showOptions(); }, kWithoutDocument},
    {1, 0, 0, "", ""},
    {1, 57665, kItemExit, "Alt+F4", "", [](CMainFrame& f) { f.close(); }, kWithoutDocument},

    {0, 0, kMenuView, "", ""},
    {1, 32774, kItemFullScreen, "F11", "full-screen.svg", [](CMainFrame& f) { f.toggleFullScreen(); },
     kToggle | kWithoutDocument},
    {1, 32818, kItemStepByStep, "F2", "step-by-step.svg"},
    {1, 32799, kItemConstructionList, "F3", "construction-list.svg",
     [](CMainFrame& f) { f.toggleConstructionList(); }, kToggle | kWithoutDocument},
    {1, 32800, kItemViewHidden, "F8", "view-hidden.svg", [](CMainFrame& f) { f.toggleShowHidden(); },
     kToggle | kWithoutDocument},
    {1, 5103, kItemAutoRotation, "F5", "automatic-rotation.svg",
     [](CMainFrame& f) { f.setAutoRotation(!f.autoRotating()); }, kToggle},
    {1, 32801, kItemAxes, "F9", "axes.svg", onActiveChild<&CChildFrame::toggleAxes>, kToggle},
    {1, 32901, kItemAnaglyph, "", "", onActiveChild<&CChildFrame::toggleAnaglyph>, kToggle},
    {1, 32900, kItemSaveVectorPicture, "", "", onActiveChild<&CChildFrame::saveVectorPicture>},
    {1, 5095, kItemAnimation, "Shift+A", "animation.svg"},
    {1, 0, 0, "", ""},
    {1, 5100, kItemMoveScreen, "", "move-screen.svg"},
    {1, 5101, kItemZoom, "", "zoom.svg"},
    {1, 5102, kItemRotateView, "", "rotate-view.svg"},
    {1, 0, 0, "", ""},
    {1, 32809, kItemCentralProjection, "", "", nullptr, kToggle},
    {1, 32810, kItemParallelProjection, "", "", nullptr, kToggle},
    {1, 0, 0, "", ""},
    {1, 32802, kItemCentreView, "", ""},
    {1, 32803, kItemViewXyUp, "", ""},
    {1, 32804, kItemViewXyDown, "", ""},
    {1, 32805, kItemViewXzUp, "", ""},
    {1, 32806, kItemViewXzDown, "", ""},
    {1, 32807, kItemViewYzUp, "", ""},
    {1, 32808, kItemViewYzDown, "", ""},
    {1, 0, 0, "", ""},
    {1, 59392, kItemToolbar, "", "", [](CMainFrame& f) { f.toggleBar(command::kToolbar); },
     kToggle | kWithoutDocument},
    {1, 116, kItemToolbar2, "", "", [](CMainFrame& f) { f.toggleBar(command::kToolbar2); },
     kToggle | kWithoutDocument},
    {1, 59393, kItemStatusBar, "", "", [](CMainFrame& f) { f.toggleBar(command::kStatusBar); },
     kToggle | kWithoutDocument},
    {1, 32863, kItemFlyoutButtons, "", "", [](CMainFrame& f) { f.toggleBar(command::kFlyoutButtons); },
     kToggle | kWithoutDocument},
    {1, 32798, kItemViewerMode, "", "leave-viewer-mode.svg", [](CMainFrame& f) { f.toggleViewerMode(); },
     kToggle | kWithoutDocument},

    {0, 0, kMenuEdit, "", ""},
    {1, 57643, kItemUndo, "Ctrl+Z", "undo.svg"},
    {1, 57644, kItemRedo, "Ctrl+Y", "redo.svg"},
    {1, 0, 0, "", ""},
    {1, 57635, kItemCut, "Ctrl+X", "cut.svg"},
    {1, 57634, kItemCopy, "Ctrl+C", "copy.svg"},
    {1, 57637, kItemPaste, "Ctrl+V", "paste.svg"},
    {1, 57632, kItemErase, "Del", ""},
    {1, 0, 0, "", ""},
    {1, 32780, kItemCopyImage, "", "", onActiveChild<&CChildFrame::copyImage>},
    {1, 0, 0, "", ""},
    {1, 57642, kItemSelectAll, "Ctrl+A", ""},
    {1, 0, kItemSelectGroup, "", ""},
    {2, 32839, kKindPoint, "", ""},
    {2, 32840, kKindSegment, "", ""},
    {2, 32841, kKindVector, "", ""},
    {2, 32842, kKindLine, "", ""},
    {2, 32843, kKindRay, "", ""},
    {2, 32844, kKindCircle, "", ""},
    {2, 32845, kKindArc, "", ""},
    {2, 32856, kKindConic, "", ""},
    {2, 32852, kKindPlane, "", ""},
    {2, 32846, kKindPolygon, "", ""},
    {2, 32853, kKindRegularPolygon, "", ""},
    {2, 32854, kKindRegularPolyhedron, "", ""},
    {2, 32847, kKindSphere, "", ""},
    {2, 32857, kKindCylinder, "", ""},
    {2, 32858, kKindCone, "", ""},
    {2, 32848, kKindCurve, "", ""},
    {2, 32849, kKindSurface, "", ""},
    {2, 32855, kKindIteration, "", ""},
    {2, 32850, kKindNumber, "", ""},
    {2, 32851, kKindCoordinates, "", ""},
    {2, 32859, kKindText, "", ""},
    {1, 0, 0, "", ""},
    {1, 32828, kStyleColour, "", ""},
    {1, 32829, kStyleFont, "", "", [](CMainFrame& f) { f.chooseSelectionFont(); }, kWithSelection},
    {1, 0, kStyleSizeMenu, "", ""},
    {2, 32830, kStyleSize1, "", ""},
    {2, 32831, kStyleSize2, "", ""},
    {2, 32832, kStyleSize3, "", ""},
    {2, 32833, kStyleSize4, "", ""},
    {2, 32834, kStyleSize5, "", ""},
    {1, 0, kStyleShapeMenu, "", ""},
    {2, 32835, kStyleShape1, "", ""},
    {2, 32836, kStyleShape2, "", ""},
    {1, 0, 0, "", ""},
    {1, 5945, kToolHideShow, "", "hide-show.svg"},
    {1, 5940, kToolDeleteElement, "", "delete-element.svg"},
    {1, 5950, kToolEditElement, "", "edit-element.svg"},

    {0, 0, kMenuConstruct, "", ""},
    {1, 5000, kToolSelect, "Esc", "select.svg"},
    {1, 0, 0, "", ""},
    {1, 5010, kToolFreePoint, "", "free-point.svg"},
    {1, 5070, kToolIntersectionPoint, "", "intersection-point.svg"},
    {1, 5005, kToolRedefinePoint, "", "redefine-point.svg"},
    {1, 5011, kToolRepresentPoints, "", "represent-points.svg"},
    {1, 5012, kToolPointByCoordinates, "", "point-with-coordinates.svg"},
    {1, 0, 0, "", ""},
    {1, 5015, kToolSegment, "", "segment.svg"},
    {1, 5016, kToolVector, "", "vector.svg"},
    {1, 5017, kToolLine, "", "line.svg"},
    {1, 5018, kToolRay, "", "ray.svg"},
    {1, 5019, kToolCircle, "", "circle.svg"},
    {1, 5056, kToolArc, "", "arc.svg"},
    {1, 5057, kToolConic, "", "conic.svg"},
    {1, 5075, kToolIntersectionLine, "", "intersection-line.svg"},
    {1, 0, 0, "", ""},
    {1, 5020, kToolPlane, "", "plane.svg"},
    {1, 5021, kToolPolygon, "", "polygon.svg"},
    {1, 5023, kToolRegularPolygon, "", "regular-polygon.svg"},
    {1, 5022, kToolSphere, "", "sphere.svg"},
    {1, 5058, kToolCylinder, "", "cylinder.svg"},
    {1, 5059, kToolCone, "", "cone.svg"},
    {1, 5024, kToolRegularPolyhedron, "", "regular-polyhedron.svg"},
    {1, 0, 0, "", ""},
    {1, 5050, kToolMidpoint, "", "midpoint.svg"},
    {1, 5054, kToolCentre, "", "centre-of-circle.svg"},
    {1, 5051, kToolMediatorPlane, "", "mediator-plane.svg"},
    {1, 5052, kToolParallel, "", "parallel.svg"},
    {1, 5053, kToolPerpendicular, "", "perpendicular.svg"},
    {1, 5055, kToolSumVector, "", "sum-vector.svg"},
    {1, 0, 0, "", ""},
    {1, 5025, kToolLocus, "Ctrl+L", "locus.svg"},
    {1, 5900, kToolText, "", "text.svg"},

    {0, 0, kMenuMeasure, "", ""},
    {1, 5210, kToolLength, "", "length.svg"},
    {1, 5215, kToolAngle, "", "angle.svg"},
    {1, 5220, kToolArea, "", "area.svg"},
    {1, 5225, kToolVolume, "", "volume.svg"},
    {1, 0, 0, "", ""},
    {1, 5013, kToolCoordinates, "", "coordinates.svg"},
    {1, 0, 0, "", ""},
    {1, 5200, kToolCalculate, "Shift+Ctrl+C", "calculate.svg"},
    {1, 5205, kToolParameter, "Shift+Ctrl+P", "parameter.svg"},

    {0, 0, kMenuTransform, "", ""},
    {1, 5060, kToolCentralSymmetry, "", "central-symmetry.svg"},
    {1, 5061, kToolAxialSymmetry, "", "axial-symmetry.svg"},
    {1, 5062, kToolPlaneSymmetry, "", "symmetry-in-plane.svg"},
    {1, 5063, kToolTranslation, "", "translation.svg"},
    {1, 5064, kToolRotation, "", "rotation.svg"},
    {1, 0, 0, "", ""},
    {1, 5065, kToolDisplacedPoint, "", "point-displaced-by-number.svg"},

    {0, 0, kMenuMacros, "", ""},
    {1, 5300, kMacroOptions, "Ctrl+M", "macro.svg"},
    {1, 5400, kIterationCommand, "Ctrl+I", "iteration.svg"},

    {0, 0, kMenuWindow, "", ""},
    {1, 57650, kItemCascade, "", "", [](CMainFrame& f) { f.mdiArea()->cascadeSubWindows(); }},
    {1, 57652, kItemTile, "", "", [](CMainFrame& f) { f.mdiArea()->tileSubWindows(); }},
    {1, 32779, kItemCloseAll, "", "", [](CMainFrame& f) { f.closeAllDocuments(); }},

    {0, 0, kMenuHelp, "", ""},
    {1, 32784, kItemHelpContents, "", "", [](CMainFrame& f) { f.showHelp(-1); }, kWithoutDocument},
    {1, 32785, kItemHelp, "F1", "help.svg", [](CMainFrame& f) { f.showHelp(f.currentTool()); },
     kWithoutDocument},
    {1, 57664, kItemAbout, "", "", [](CMainFrame& f) { f.showAbout(); }, kWithoutDocument},
};

constexpr int kMainToolBar[] = {57600, 57601, 57603, 57607, 0,     32778, 0,    57643, 57644, 0,    57635,
                                57634, 57637, 0,     32774, 32818, 32799, 5103, 32801, 0,     5100, 5101,
                                5102,  0,     5095,  0,     5940,  5945,  5950, 0,     32785};

constexpr int kFlyoutBar[] = {5000, 5300, 5400, 5010, 5011, 5015, 5020,
                              5025, 5050, 5060, 5210, 5200, 5900, 5950};

// The viewer bar: looking at a construction, and leaving viewer mode.
constexpr int kViewerBar[] = {5000, 32800, 5103, 5100, 5101, 5102, 5095, 32818, 32799, 32798};

constexpr int kFreePointGroup[] = {5010, 5070, 5005};
constexpr int kRepresentGroup[] = {5011, 5012, 5013};
constexpr int kSegmentGroup[] = {5015, 5016, 5017, 5018, 5019, 5056, 5057, 5075};
constexpr int kPlaneGroup[] = {5020, 5021, 5023, 5022, 5058, 5059, 5024};
constexpr int kMidpointGroup[] = {5050, 5054, 5051, 5052, 5053, 5055};
constexpr int kSymmetryGroup[] = {5060, 5061, 5062, 5063, 5064, 5065};
constexpr int kLengthGroup[] = {5210, 5215, 5220, 5225};
constexpr int kCalculateGroup[] = {5200, 5205};
constexpr int kEditGroup[] = {5950, 5940, 5945};

constexpr std::span<const int> kFlyouts[] = {kFreePointGroup, kRepresentGroup, kSegmentGroup,
                                             kPlaneGroup,     kMidpointGroup,  kSymmetryGroup,
                                             kLengthGroup,    kCalculateGroup, kEditGroup};

constexpr int kLongBar[] = {5900, 32800, 5000, 0,    5300, 5400, 5025, 0,    5005, 5070, 5010, 5011, 5012,
                            5013, 0,     5056, 5016, 5015, 5019, 5018, 5017, 5022, 5057, 5075, 5024, 5058,
                            5059, 5023,  5021, 5020, 0,    5220, 5205, 5200, 5225, 5215, 5210, 0,    5054,
                            5050, 5051,  5055, 5052, 5053, 0,    5060, 5061, 5062, 5065, 5064, 5063};

}  // namespace

std::span<const MenuRow> menuRows() {
    return kRows;
}

const MenuRow* menuRow(int commandId) {
    if (commandId == 0) return nullptr;
    const auto it = std::find_if(std::begin(kRows), std::end(kRows),
                                 [commandId](const MenuRow& row) { return row.commandId == commandId; });
    return it == std::end(kRows) ? nullptr : &*it;
}

std::string menuItemCaption(const TextTable& texts, const MenuRow& row) {
    std::string caption = texts.text(row.textId);
    if (!row.shortcut.empty()) {
        caption += '\t';
        caption += row.shortcut;
    }
    return caption;
}

std::span<const int> mainToolBar() {
    return kMainToolBar;
}

std::span<const int> viewerToolBar() {
    return kViewerBar;
}

std::span<const int> flyoutConstructionBar() {
    return kFlyoutBar;
}

std::span<const int> flyoutTools(int buttonCommandId) {
    for (const std::span<const int> group : kFlyouts)
        if (group.front() == buttonCommandId) return group;
    return {};
}

std::span<const int> longConstructionBar() {
    return kLongBar;
}
