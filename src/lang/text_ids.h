#pragma once

#include <span>

// Every text id the program looks up in the language table, named once. The list macro below is the
// single source: it defines the constants and the array that allTextIds() returns, so a test can check
// that each shipped language file defines every id the program asks for.
//
// Element descriptions are not looked up by one id: they are composed per type code from the pieces
// listed here (see composed_texts.h). The menu items share the 10000–10999 range with the type codes,
// so a type code is never used as a text id of its own.

// clang-format off
#define KOVA_TEXT_IDS(X)                                                                               \
    /* Entries every language file carries. */                                                         \
    X(kLanguageName, 1) X(kAuthor, 2)                                                                  \
    /* Top-level menus, by position. */                                                                \
    X(kMenuFile, 10000) X(kMenuView, 10030) X(kMenuEdit, 10070) X(kMenuConstruct, 10100)               \
    X(kMenuMeasure, 10105) X(kMenuTransform, 10110) X(kMenuMacros, 10200) X(kMenuWindow, 10280)        \
    X(kMenuHelp, 10300)                                                                                \
    /* File menu. */                                                                                   \
    X(kItemNew, 10001) X(kItemOpen, 10002) X(kItemRecentFiles, 10004) X(kItemSave, 10006)              \
    X(kItemSaveAs, 10007) X(kItemSaveBitmap, 10008) X(kItemExportModel, 10012) X(kItemPrint, 10010)    \
    X(kItemPrintOptions, 10011)                                                                        \
    X(kItemClose, 10015) X(kItemOptions, 10020) X(kItemExit, 10025)                                    \
    /* View menu. */                                                                                   \
    X(kItemFullScreen, 10031) X(kItemStepByStep, 10032) X(kItemConstructionList, 10033)                \
    X(kItemViewHidden, 10035) X(kItemAutoRotation, 10036) X(kItemAxes, 10037) X(kItemAnimation, 10040) \
    X(kItemMoveScreen, 10045) X(kItemZoom, 10046) X(kItemRotateView, 10047)                            \
    X(kItemCentralProjection, 10051) X(kItemParallelProjection, 10052) X(kItemCentreView, 10053)       \
    X(kItemViewXyUp, 10054) X(kItemViewXyDown, 10055) X(kItemViewXzUp, 10056)                          \
    X(kItemViewXzDown, 10057) X(kItemViewYzUp, 10058) X(kItemViewYzDown, 10059)                        \
    X(kItemToolbar, 10060) X(kItemToolbar2, 10061) X(kItemStatusBar, 10062)                            \
    X(kItemFlyoutButtons, 10063) X(kItemViewerMode, 10064) X(kItemSaveVectorPicture, 10065)            \
    X(kItemAnaglyph, 10066)                                                                            \
    /* Edit menu and the construction list's context menu. */                                          \
    X(kItemUndo, 10071) X(kItemRedo, 10072) X(kItemCut, 10073) X(kItemCopy, 10074)                     \
    X(kItemPaste, 10075) X(kItemErase, 10076) X(kItemCopyImage, 10077) X(kItemSelectAll, 10078)        \
    X(kItemSelectGroup, 10079) X(kItemListViewHidden, 10090) X(kItemListCopy, 10091)                   \
    /* Window and Help menus. */                                                                       \
    X(kItemCascade, 10281) X(kItemTile, 10282) X(kItemCloseAll, 10283) X(kItemHelpContents, 10301)     \
    X(kItemHelp, 10302) X(kItemAbout, 10310)                                                           \
    /* Construction, measurement and transformation commands; also the tools' names. */                \
    X(kToolSelect, 10500) X(kToolRedefinePoint, 10510) X(kToolFreePoint, 10550)                        \
    X(kToolIntersectionPoint, 10551) X(kToolRepresentPoints, 10555) X(kToolPointByCoordinates, 10556)  \
    X(kToolSegment, 10560) X(kToolVector, 10565) X(kToolLine, 10570) X(kToolRay, 10575)                \
    X(kToolCircle, 10580) X(kToolArc, 10581) X(kToolConic, 10582) X(kToolIntersectionLine, 10585)      \
    X(kToolPlane, 10590) X(kToolPolygon, 10595) X(kToolRegularPolygon, 10600) X(kToolSphere, 10605)    \
    X(kToolCylinder, 10606) X(kToolCone, 10607) X(kToolRegularPolyhedron, 10610)                       \
    X(kToolMidpoint, 10700) X(kToolCentre, 10701) X(kToolMediatorPlane, 10705) X(kToolParallel, 10710) \
    X(kToolPerpendicular, 10715) X(kToolSumVector, 10716) X(kToolCentralSymmetry, 10750)               \
    X(kToolAxialSymmetry, 10751) X(kToolPlaneSymmetry, 10752) X(kToolTranslation, 10753)               \
    X(kToolRotation, 10754) X(kToolDisplacedPoint, 10760) X(kToolLocus, 10770)                         \
    X(kToolCalculate, 10850) X(kToolParameter, 10855) X(kToolLength, 10860) X(kToolAngle, 10861)       \
    X(kToolArea, 10862) X(kToolVolume, 10863) X(kToolCoordinates, 10870) X(kToolEditElement, 10900)    \
    X(kToolDeleteElement, 10910) X(kToolHideShow, 10915) X(kToolText, 10950)                           \
    /* Messages, titles and file filters. */                                                           \
    X(kNoDocument, 20000) X(kNewDocumentTitle, 20005) X(kTooManyDocuments, 20006)                      \
    X(kCannotOpenFile, 20007) X(kFilterAllFiles, 20008) X(kFilterConstructions, 20009)                 \
    X(kFilterMacros, 20010) X(kFilterBitmaps, 20011) X(kFilterVectorPictures, 20012)                   \
    X(kFilterModels, 20013) X(kHelpFileMissing, 20021)                                                 \
    X(kSaveChangesQuestion, 20025) X(kNoRenderingContext, 20100) X(kProgramWillClose, 20200)           \
    X(kCannotSaveFile, 20300) X(kNewerFileVersion, 20310) X(kNotAConstructionFile, 20315)              \
    X(kInvalidFieldValue, 20400) X(kRedefinitionCycle, 20410) X(kEditPointTitle, 20500)                \
    X(kParameterTitle, 20550) X(kCalculatorTitle, 20580) X(kExpressionTooLong, 20600)                  \
    X(kExpressionInvalid, 20610) X(kValueUndefined, 20620)                                             \
    /* Labels of the element, point and parameter dialogs. */                                          \
    X(kLabelVisible, 21000) X(kLabelName, 21001) X(kLabelShowLabel, 21002) X(kLabelStep, 21003)        \
    X(kLabelDepth, 21004) X(kLabelLastOnly, 21005) X(kLabelDrawPoints, 21006)                          \
    X(kLabelIterationColour, 21007) X(kLabelValue, 21008) X(kLabelMinimum, 21009)                      \
    X(kLabelMaximum, 21010)                                                                            \
    /* The iteration dialog. */                                                                        \
    X(kIterationInputsHint, 21100) X(kIterationImageOf, 21101) X(kIterationBranch, 21102)              \
    X(kIterationElementsHint, 21103) X(kIterationIncomplete, 21104) X(kIterationInputs, 21105)         \
    X(kIterationNewBranch, 21106) X(kIterationElements, 21107) X(kIterationBranches, 21108)            \
    /* The options' title and labels. */                                                               \
    X(kOptionsTitle, 21200) X(kOptionsGeneral, 21201) X(kOptionsAppearance, 21202)                    \
    X(kOptionsViewUnits, 21203) X(kOptionsBackground, 21204) X(kOptionsHidden, 21205)                 \
    X(kOptionsSelected, 21206) X(kOptionsApplyToNew, 21207) X(kOptionsList, 21208)                    \
    X(kOptionsCursorMessages, 21209) X(kOptionsFont, 21210) X(kOptionsAdaptMessages, 21211)           \
    X(kOptionsLanguage, 21212) X(kOptionsLayout, 21213) X(kOptionsKind, 21214)                        \
    X(kOptionsNames, 21215) X(kOptionsNumbers, 21216) X(kOptionsTexts, 21217)                         \
    X(kOptionsAntiAliasing, 21218) X(kOptionsProjection, 21219) X(kOptionsRotationSpeed, 21220)       \
    X(kOptionsReverse, 21221) X(kOptionsAngleUnit, 21222) X(kOptionsAxisLength, 21223)                \
    X(kOptionsUnitScale, 21224) X(kOptionsDecimals, 21225) X(kOptionsHideMacroSteps, 21226)           \
    X(kOptionsStepsAtLast, 21227)                                                                      \
    /* The macro window. */                                                                            \
    X(kMacroStart, 21300) X(kMacroFinal, 21301) X(kMacroMake, 21302) X(kMacroApply, 21303)             \
    X(kMacroRemove, 21304) X(kMacroExport, 21305) X(kMacroImport, 21306) X(kMacroDescription, 21307)   \
    X(kMacroInitialCount, 21308) X(kMacroFinalCount, 21309)                                            \
    /* Style sub-menus. */                                                                             \
    X(kStyleFont, 30101) X(kStyleColour, 30110) X(kStyleSizeMenu, 30200) X(kStyleSize1, 30216)         \
    X(kStyleSize2, 30217) X(kStyleSize3, 30218) X(kStyleSize4, 30219) X(kStyleSize5, 30220)            \
    X(kStyleShapeMenu, 30225) X(kStyleShape2, 30230) X(kStyleShape1, 30231)                            \
    /* Macros and iterations. */                                                                       \
    X(kMacroOptions, 40005) X(kMacroNamePrompt, 40055) X(kMacroNameEmpty, 40060)                       \
    X(kMacroFinalNotDependent, 40065) X(kIterationCommand, 40205)                                      \
    /* Element-kind names (the SelectGroup sub-menu, hover texts). */                                  \
    X(kKindPoint, 50100) X(kKindCoordinates, 50105) X(kKindSegment, 50111) X(kKindVector, 50115)       \
    X(kKindLine, 50120) X(kKindRay, 50125) X(kKindCircle, 50130) X(kKindArc, 50131)                    \
    X(kKindConic, 50135) X(kKindPlane, 50150) X(kKindPolygon, 50155) X(kKindRegularPolygon, 50160)     \
    X(kKindSphere, 50165) X(kKindCylinder, 50166) X(kKindCone, 50167)                                  \
    X(kKindRegularPolyhedron, 50170) X(kKindCurve, 50200) X(kKindSurface, 50210)                       \
    X(kKindNumber, 50250) X(kKindIteration, 50255) X(kKindText, 50300)                                 \
    /* Nouns that begin element descriptions and some prompts. */                                      \
    X(kNounPoint, 50500) X(kNounVector, 50501) X(kNounSegment, 50502) X(kNounLine, 50503)              \
    X(kNounRay, 50504) X(kNounCircle, 50505) X(kNounArc, 50506) X(kNounConic, 50507)                   \
    X(kNounPlane, 50508) X(kNounPolygon, 50509) X(kNounRegularPolygon, 50510)                          \
    X(kNounRegularPolyhedron, 50511) X(kNounSphere, 50512) X(kNounCylinder, 50513)                     \
    X(kNounCone, 50514) X(kNounCurve, 50515) X(kNounSurface, 50516) X(kNounNumber, 50517)              \
    X(kNounCoordinates, 50518) X(kNounIteration, 50519) X(kNounText, 50520) X(kNounVertex, 50521)      \
    X(kNounDistance, 50522) X(kNounLength, 50523) X(kNounPerimeter, 50524) X(kNounAngle, 50525)        \
    X(kNounArea, 50526) X(kNounVolume, 50527) X(kNounParameter, 50528) X(kNounCalculation, 50529)      \
    X(kNounIntersectionPoint, 50530) X(kNounCentre, 50531) X(kNounMidpoint, 50532)                     \
    X(kNounMacro, 50533)                                                                               \
    /* Qualifiers, shown in parentheses or after ": " in descriptions. */                              \
    X(kQualFree, 50600) X(kQualRepresented, 50601) X(kQualByCoordinates, 50602)                        \
    X(kQualOnObject, 50603) X(kQualDisplaced, 50604) X(kQualOfCircle, 50605) X(kQualOfArc, 50606)      \
    X(kQualOfConic, 50607) X(kQualOfSegment, 50608) X(kQualOfPolygon, 50609) X(kQualOfSphere, 50610)   \
    X(kQualOfDisc, 50611) X(kQualOfRegularPolygon, 50612) X(kQualOfRegularPolyhedron, 50613)           \
    X(kQualTetrahedron, 50614) X(kQualCube, 50615) X(kQualOctahedron, 50616)                           \
    X(kQualDodecahedron, 50617) X(kQualIcosahedron, 50618) X(kQualThreePoints, 50619)                  \
    X(kQualFivePoints, 50620) X(kQualPointAxis, 50621) X(kQualPointPoint, 50622)                       \
    X(kQualPointLine, 50623) X(kQualPointPlane, 50624) X(kQualLineLine, 50625)                         \
    X(kQualLinePlane, 50626) X(kQualPlanePlane, 50627) X(kQualLineSphere, 50628)                       \
    X(kQualCirclePlane, 50629) X(kQualCircleSphere, 50630) X(kQualCircleCircle, 50631)                 \
    X(kQualLineCircle, 50632) X(kQualThreePlanes, 50633) X(kQualLineCylinder, 50634)                   \
    X(kQualLineCone, 50635) X(kQualLineConic, 50636) X(kQualPlaneConic, 50637)                         \
    X(kQualParallelLine, 50638) X(kQualParallelPlane, 50639) X(kQualPerpendicularToLine, 50640)        \
    X(kQualPerpendicularToPlane, 50641) X(kQualPerpendicularPlane, 50642) X(kQualSum, 50643)           \
    X(kQualMediator, 50644) X(kQualIntersectionOfPlanes, 50645) X(kQualIntersectionOfSpheres, 50646)   \
    X(kQualSectionOfSphere, 50647) X(kQualPlaneSection, 50648) X(kQualLocusOfPoint, 50649)             \
    X(kQualLocusOfSegment, 50650) X(kQualLocusOfCircle, 50651) X(kQualLocusTwoParameters, 50652)       \
    X(kQualCoordinateX, 50653) X(kQualCoordinateY, 50654) X(kQualCoordinateZ, 50655)                   \
    X(kQualCentralSymmetry, 50656) X(kQualAxialSymmetry, 50657) X(kQualPlaneSymmetry, 50658)           \
    X(kQualTranslation, 50659) X(kQualRotation, 50660)                                                 \
    /* What a tool waits for, shown in parentheses after its name. */                                  \
    X(kHintApplyMacro, 50700) X(kHintInitialElements, 50701) X(kHintFinalElements, 50702)              \
    X(kHintIterate, 50703) X(kHintFreePoint, 50704) X(kHintTwoObjects, 50705) X(kHintRedefine, 50706)  \
    X(kHintThreeNumbers, 50707) X(kHintStartEnd, 50708) X(kHintTwoPoints, 50709)                       \
    X(kHintOriginThrough, 50710) X(kHintCircle, 50711) X(kHintThreePoints, 50712)                      \
    X(kHintFivePoints, 50713) X(kHintIntersectionLine, 50714) X(kHintPolygon, 50715)                   \
    X(kHintPointAxis, 50716) X(kHintCentrePoint, 50717) X(kHintCone, 50718) X(kHintLocus, 50719)       \
    X(kHintCentre, 50720) X(kHintReferencePoint, 50721) X(kHintSum, 50722) X(kHintObjectCentre, 50723) \
    X(kHintObjectAxis, 50724) X(kHintObjectPlane, 50725) X(kHintObjectVector, 50726)                   \
    X(kHintObjectAxisAngle, 50727) X(kHintDisplaced, 50728) X(kHintLength, 50729)                      \
    X(kHintAngle, 50730) X(kHintArea, 50731) X(kHintVolume, 50732) X(kHintOnePoint, 50733)             \
    X(kHintNumbers, 50734) X(kHintPosition, 50735) X(kHintAnimation, 50736) X(kHintOneElement, 50737)  \
    /* Hover text of a candidate intersection point. */                                                \
    X(kCandidateIntersection, 50850)                                                                   \
    /* Step-by-step display. */                                                                        \
    X(kNoStepsToShow, 60015) X(kFirstStep, 60100) X(kLastStep, 60110) X(kCutConstructionQuestion, 60120)
// clang-format on

namespace textid {
#define KOVA_DEFINE_TEXT_ID(name, id) inline constexpr int name = id;
KOVA_TEXT_IDS(KOVA_DEFINE_TEXT_ID)
#undef KOVA_DEFINE_TEXT_ID
}  // namespace textid

// Every id above, in the order of the list.
std::span<const int> allTextIds();
