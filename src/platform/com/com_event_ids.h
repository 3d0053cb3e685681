// The host's interface identifiers and event numbers, as Microsoft's type
// libraries define them.
//
// Two kinds: the IIDs of the interfaces by which a caller tells what kind
// of object it holds without calling it (QueryInterface for Outlook's
// _Explorer tells an explorer from an inspector), and the dispinterfaces of
// events with the DISPIDs of their members. Served objects answer the same
// IIDs and fire the same DISPIDs, so that clients cannot tell the simulated
// host from the real one.
//
// Sources, each checked against a published binding of the type library:
// - Outlook 11 (MSOUTL.OLB, "Microsoft Outlook 11.0 Object Library"): the
//   IID and DIID constants of its Delphi import (unit Outlook_2003), and the
//   Java bindings of matthiasblaesing/COMTypelibraries (outlook module, e.g.
//   ExplorerEventsListener.java for the 0xF00x DISPIDs); also
//   wolfgangimig/joa.
// - Office 11 (MSO.DLL): COMTypelibraries' office2 module
//   (_CommandBarButtonEventsListener.java, _CommandBarsEvents.java) and
//   NetOffice's OfficeApi event contracts; CommandBarButton's and
//   CommandBars' coclasses name these dispinterfaces as their sources.
// - Word 10/11 (MSWORD.OLB): COMTypelibraries' word8 module (Window.java,
//   ApplicationEvents3Listener.java) and NetOffice's WordApi; Delphi's
//   TWordApplication gives _Application and ApplicationEvents3 as its
//   interface and event interface.
#ifndef PINLET_PLATFORM_COM_COM_EVENT_IDS_H_
#define PINLET_PLATFORM_COM_COM_EVENT_IDS_H_

#include <objbase.h>

namespace pinlet::com {

// --- Interfaces a caller asks for to tell objects apart.

// Outlook's _Application {00063001-0000-0000-C000-000000000046}.
inline const IID kIidOutlookApplication = {
    0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Outlook's _Explorer {00063003-0000-0000-C000-000000000046}.
inline const IID kIidOutlookExplorer = {
    0x00063003, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Outlook's _Inspector {00063005-0000-0000-C000-000000000046}.
inline const IID kIidOutlookInspector = {
    0x00063005, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Outlook's MAPIFolder {00063006-0000-0000-C000-000000000046}: what a
// folder's Parent is when it is a folder (a store's root answers its
// NameSpace instead).
inline const IID kIidOutlookFolder = {
    0x00063006, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Word's _Application {00020970-0000-0000-C000-000000000046}.
inline const IID kIidWordApplication = {
    0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// Word's Window {00020962-0000-0000-C000-000000000046}.
inline const IID kIidWordWindow = {
    0x00020962, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// --- Outlook's events (Outlook 2002 and 2003).

// ExplorersEvents {00063078-0000-0000-C000-000000000046}.
inline const IID kDiidExplorersEvents = {
    0x00063078, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispNewExplorer = 0xF001;  // NewExplorer(Explorer)

// ExplorerEvents_10 {0006300F-0000-0000-C000-000000000046}.
inline const IID kDiidExplorerEvents10 = {
    0x0006300F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispExplorerActivate = 0xF001;
constexpr DISPID kDispFolderSwitch = 0xF002;
constexpr DISPID kDispBeforeFolderSwitch = 0xF003;  // (NewFolder, Cancel)
constexpr DISPID kDispViewSwitch = 0xF004;
constexpr DISPID kDispBeforeViewSwitch = 0xF005;  // (NewView, Cancel)
constexpr DISPID kDispSelectionChange = 0xF007;
constexpr DISPID kDispExplorerClose = 0xF008;

// InspectorsEvents {00063079-0000-0000-C000-000000000046}.
inline const IID kDiidInspectorsEvents = {
    0x00063079, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispNewInspector = 0xF001;  // NewInspector(Inspector)

// InspectorEvents_10 {0006302A-0000-0000-C000-000000000046}.
inline const IID kDiidInspectorEvents10 = {
    0x0006302A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispInspectorActivate = 0xF001;
constexpr DISPID kDispInspectorClose = 0xF008;

// ItemEvents_10 {0006302B-0000-0000-C000-000000000046}.
inline const IID kDiidItemEvents10 = {
    0x0006302B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispItemOpen = 0xF003;  // Open(Cancel)

// --- Office's command bar events.

// _CommandBarButtonEvents {000C0351-0000-0000-C000-000000000046}.
inline const IID kDiidCommandBarButtonEvents = {
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispClick = 1;  // Click(Ctrl, CancelDefault)

// _CommandBarsEvents {000C0352-0000-0000-C000-000000000046}.
inline const IID kDiidCommandBarsEvents = {
    0x000C0352, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispOnUpdate = 1;

// --- Word's application events.

// ApplicationEvents3 {00020A00-0000-0000-C000-000000000046}: the source of
// Word 2002, which Word 2003 still offers beside ApplicationEvents4.
inline const IID kDiidWordApplicationEvents3 = {
    0x00020A00, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr DISPID kDispWindowActivate = 10;  // WindowActivate(Doc, Wn)

}  // namespace pinlet::com

#endif  // PINLET_PLATFORM_COM_COM_EVENT_IDS_H_
