#include "lang/menu_texts.h"

#include <algorithm>

#include "lang/text_ids.h"

namespace {

using namespace textid;

constexpr MenuItemText kMenuItems[] = {
    // File
    {57600, kItemNew, "Ctrl+N"},
    {57601, kItemOpen, "Ctrl+O"},
    {32786, kItemRecentFiles, ""},
    {57603, kItemSave, "Ctrl+S"},
    {32781, kItemSaveAs, ""},
    {32782, kItemSaveBitmap, ""},
    {57607, kItemPrint, "Ctrl+P"},
    {32783, kItemPrintOptions, ""},
    {57602, kItemClose, "Ctrl+F4"},
    {32778, kItemOptions, ""},
    {57665, kItemExit, "Alt+F4"},
    // View
    {32774, kItemFullScreen, "F11"},
    {32818, kItemStepByStep, "F2"},
    {32799, kItemConstructionList, "F3"},
    {32800, kItemViewHidden, "F8"},
    {5103, kItemAutoRotation, "F5"},
    {32801, kItemAxes, "F9"},
    {5095, kItemAnimation, "Shift+A"},
    {5100, kItemMoveScreen, ""},
    {5101, kItemZoom, ""},
    {5102, kItemRotateView, ""},
    {32809, kItemCentralProjection, ""},
    {32810, kItemParallelProjection, ""},
    {32802, kItemCentreView, ""},
    {32803, kItemViewXyUp, ""},
    {32804, kItemViewXyDown, ""},
    {32805, kItemViewXzUp, ""},
    {32806, kItemViewXzDown, ""},
    {32807, kItemViewYzUp, ""},
    {32808, kItemViewYzDown, ""},
    {59392, kItemToolbar, ""},
    {116, kItemToolbar2, ""},
    {59393, kItemStatusBar, ""},
    {32863, kItemFlyoutButtons, ""},
    {32798, kItemViewerMode, ""},
    // Edit
    {57643, kItemUndo, "Ctrl+Z"},
    {57644, kItemRedo, "Ctrl+Y"},
    {57635, kItemCut, "Ctrl+X"},
    {57634, kItemCopy, "Ctrl+C"},
    {57637, kItemPaste, "Ctrl+V"},
    {57632, kItemErase, "Del"},
    {32780, kItemCopyImage, ""},
    {57642, kItemSelectAll, "Ctrl+A"},
    {32811, kItemListViewHidden, ""},
    {32812, kItemListCopy, ""},
    // Construct, measure, transform
    {5000, kToolSelect, "Esc"},
    {5005, kToolRedefinePoint, ""},
    {5010, kToolFreePoint, ""},
    {5070, kToolIntersectionPoint, ""},
    {5011, kToolRepresentPoints, ""},
    {5012, kToolPointByCoordinates, ""},
    {5013, kToolCoordinates, ""},
    {5015, kToolSegment, ""},
    {5016, kToolVector, ""},
    {5017, kToolLine, ""},
    {5018, kToolRay, ""},
    {5019, kToolCircle, ""},
    {5056, kToolArc, ""},
    {5057, kToolConic, ""},
    {5075, kToolIntersectionLine, ""},
    {5020, kToolPlane, ""},
    {5021, kToolPolygon, ""},
    {5023, kToolRegularPolygon, ""},
    {5022, kToolSphere, ""},
    {5058, kToolCylinder, ""},
    {5059, kToolCone, ""},
    {5024, kToolRegularPolyhedron, ""},
    {5025, kToolLocus, "Ctrl+L"},
    {5050, kToolMidpoint, ""},
    {5054, kToolCentre, ""},
    {5051, kToolMediatorPlane, ""},
    {5052, kToolParallel, ""},
    {5053, kToolPerpendicular, ""},
    {5055, kToolSumVector, ""},
    {5060, kToolCentralSymmetry, ""},
    {5061, kToolAxialSymmetry, ""},
    {5062, kToolPlaneSymmetry, ""},
    {5063, kToolTranslation, ""},
    {5064, kToolRotation, ""},
    {5065, kToolDisplacedPoint, ""},
    {5210, kToolLength, ""},
    {5215, kToolAngle, ""},
    {5220, kToolArea, ""},
    {5225, kToolVolume, ""},
    {5200, kToolCalculate, "Shift+Ctrl+C"},
    {5205, kToolParameter, "Shift+Ctrl+P"},
    {5900, kToolText, ""},
    {5950, kToolEditElement, ""},
    {5940, kToolDeleteElement, ""},
    {5945, kToolHideShow, ""},
    // Macros and iterations
    {5400, kIterationCommand, "Ctrl+I"},
    {5300, kMacroOptions, "Ctrl+M"},
    // Window and Help
    {57650, kItemCascade, ""},
    {57652, kItemTile, ""},
    {32779, kItemCloseAll, ""},
    {32784, kItemHelpContents, ""},
    {32785, kItemHelp, "F1"},
    {57664, kItemAbout, ""},
    // Style sub-menus
    {32828, kStyleColour, ""},
    {32829, kStyleFont, ""},
    {32830, kStyleSize1, ""},
    {32831, kStyleSize2, ""},
    {32832, kStyleSize3, ""},
    {32833, kStyleSize4, ""},
    {32834, kStyleSize5, ""},
    {32835, kStyleShape1, ""},
    {32836, kStyleShape2, ""},
    // SelectGroup sub-menu, in its menu order
    {32839, kKindPoint, ""},
    {32840, kKindSegment, ""},
    {32841, kKindVector, ""},
    {32842, kKindLine, ""},
    {32843, kKindRay, ""},
    {32844, kKindCircle, ""},
    {32845, kKindArc, ""},
    {32856, kKindConic, ""},
    {32852, kKindPlane, ""},
    {32846, kKindPolygon, ""},
    {32853, kKindRegularPolygon, ""},
    {32854, kKindRegularPolyhedron, ""},
    {32847, kKindSphere, ""},
    {32857, kKindCylinder, ""},
    {32858, kKindCone, ""},
    {32848, kKindCurve, ""},
    {32849, kKindSurface, ""},
    {32855, kKindIteration, ""},
    {32850, kKindNumber, ""},
    {32851, kKindCoordinates, ""},
    {32859, kKindText, ""},
};

constexpr int kTopLevelMenus[] = {kMenuFile,      kMenuView,   kMenuEdit,   kMenuConstruct, kMenuMeasure,
                                  kMenuTransform, kMenuMacros, kMenuWindow, kMenuHelp};

}  // namespace

std::span<const MenuItemText> menuItemTexts() {
    return kMenuItems;
}

std::span<const int> topLevelMenuTextIds() {
    return kTopLevelMenus;
}

std::string menuItemCaption(const TextTable& texts, int commandId) {
    const auto it = std::find_if(std::begin(kMenuItems), std::end(kMenuItems),
                                 [commandId](const MenuItemText& row) { return row.commandId == commandId; });
    if (it == std::end(kMenuItems)) return {};
    std::string caption = texts.text(it->textId);
    if (!it->shortcut.empty()) {
        caption += '\t';
        caption += it->shortcut;
    }
    return caption;
}
