#include <gtest/gtest.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include "WebBrowser.h"
#include "WinTestSupport.h"

namespace {

struct QueryRow {
  const char* name;
  IID iid;
  bool beforeActivation;
  bool afterActivation;
};

const QueryRow kQueryTable[] = {
    {"IUnknown", IID_IUnknown, true, true},
    {"IDispatch", IID_IDispatch, true, true},
    {"DWebBrowserEvents2", DIID_DWebBrowserEvents2, true, true},
    {"IOleClientSite", IID_IOleClientSite, true, true},
    {"IOleInPlaceSite", IID_IOleInPlaceSite, true, false},
    {"IOleInPlaceFrame", IID_IOleInPlaceFrame, true, false},
    {"IOleInPlaceUIWindow", IID_IOleInPlaceUIWindow, true, false},
    {"IDocHostUIHandler", IID_IDocHostUIHandler, true, true},
    {"IOleCommandTarget", IID_IOleCommandTarget, true, true},
    {"IOleWindow", IID_IOleWindow, false, false},
    {"IWebBrowser2", IID_IWebBrowser2, false, false},
    {"IServiceProvider", IID_IServiceProvider, false, false},
};

void ExpectQueryTable(CWebBrowser& site, bool activated) {
  for (const QueryRow& row : kQueryTable) {
    void* out = reinterpret_cast<void*>(1);
    LONG before = site.RefCount();
    HRESULT hr = site.QueryInterface(row.iid, &out);
    bool expected = activated ? row.afterActivation : row.beforeActivation;
    EXPECT_EQ(hr, expected ? S_OK : E_NOINTERFACE) << row.name << (activated ? " after" : " before");
    EXPECT_EQ(out != nullptr, expected) << row.name;
    EXPECT_EQ(site.RefCount(), before + (expected ? 1 : 0)) << row.name;
    if (out) static_cast<IUnknown*>(out)->Release();
  }
}

TEST(WebBrowserSite, QueryInterfaceHandsOutInPlaceInterfacesOnlyBeforeActivation) {
  CWebBrowser site;
  ExpectQueryTable(site, false);
  ASSERT_EQ(site.CanInPlaceActivate(), S_OK);
  ExpectQueryTable(site, true);
  site.ClearActivated();
  ExpectQueryTable(site, false);
}

TEST(WebBrowserSite, InterfacesShareOneIdentity) {
  CWebBrowser site;
  IUnknown* identity = nullptr;
  ASSERT_EQ(site.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  IDocHostUIHandler* handler = nullptr;
  ASSERT_EQ(site.QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)), S_OK);
  IUnknown* again = nullptr;
  ASSERT_EQ(handler->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_EQ(again, identity);
}

TEST(WebBrowserSite, CanInPlaceActivateOnceUntilTheHostIsGone) {
  CWebBrowser site;
  EXPECT_EQ(site.CanInPlaceActivate(), S_OK);
  EXPECT_EQ(site.CanInPlaceActivate(), S_FALSE);
  EXPECT_EQ(site.CanInPlaceActivate(), S_FALSE);
  site.ClearActivated();
  EXPECT_EQ(site.CanInPlaceActivate(), S_OK);
}

TEST(WebBrowserSite, AddRefAndReleaseReturnZeroAndNeverFree) {
  CWebBrowser site;
  IOleClientSite* client = static_cast<IOleClientSite*>(&site);
  EXPECT_EQ(client->AddRef(), 0u);
  EXPECT_EQ(site.RefCount(), 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(client->Release(), 0u);
  EXPECT_EQ(site.RefCount(), -2);
  // Still alive and answering below zero.
  EXPECT_EQ(site.ShowObject(), S_OK);
  EXPECT_EQ(static_cast<IDispatch*>(&site)->Release(), 0u);
  EXPECT_EQ(site.RefCount(), -3);
}

TEST(WebBrowserSite, GetHostInfoKeepsTheFlagsAndAddsNoBorderAndNoScroll) {
  const DWORD rows[] = {0, DOCHOSTUIFLAG_DIALOG, DOCHOSTUIFLAG_NO3DBORDER | 0x40000,
                        DOCHOSTUIFLAG_SCROLL_NO};
  for (DWORD flags : rows) {
    CWebBrowser site;
    DOCHOSTUIINFO info = {};
    info.dwFlags = flags;
    info.dwDoubleClick = DOCHOSTUIDBLCLK_SHOWPROPERTIES;
    EXPECT_EQ(site.GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.cbSize, sizeof(DOCHOSTUIINFO));  // 20 in the 32-bit program
    EXPECT_EQ(info.dwFlags, flags | 0xCu) << flags;
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_DEFAULT));
    EXPECT_EQ(info.pchHostCss, nullptr);
    EXPECT_EQ(info.pchHostNS, nullptr);
  }
}

struct Answer {
  const char* name;
  HRESULT actual;
  HRESULT expected;
};

TEST(WebBrowserSite, SiteFrameAndHandlerAnswers) {
  CWebBrowser site;
  IOleInPlaceSite* inPlace = &site;
  IOleInPlaceFrame* frame = &site;
  IDocHostUIHandler* handler = &site;
  IOleClientSite* client = &site;
  IMoniker* moniker = reinterpret_cast<IMoniker*>(1);
  IOleContainer* container = reinterpret_cast<IOleContainer*>(1);
  LPOLESTR keyPath = reinterpret_cast<LPOLESTR>(1);
  IDropTarget* drop = reinterpret_cast<IDropTarget*>(1);
  LPWSTR translated = reinterpret_cast<LPWSTR>(1);
  IDataObject* data = reinterpret_cast<IDataObject*>(1);
  wchar_t url[] = L"http://127.0.0.1/";
  RECT rect = {};
  MSG msg = {};
  POINT point = {};
  const Answer answers[] = {
      {"SaveObject", client->SaveObject(), S_OK},
      {"GetMoniker", client->GetMoniker(0, 0, &moniker), E_NOTIMPL},
      {"GetContainer", client->GetContainer(&container), E_FAIL},
      {"ShowObject", client->ShowObject(), S_OK},
      {"OnShowWindow", client->OnShowWindow(TRUE), S_OK},
      {"RequestNewObjectLayout", client->RequestNewObjectLayout(), S_OK},
      {"ContextSensitiveHelp", inPlace->ContextSensitiveHelp(TRUE), E_NOTIMPL},
      {"OnInPlaceActivate", inPlace->OnInPlaceActivate(), S_OK},
      {"OnUIActivate", inPlace->OnUIActivate(), S_OK},
      {"Scroll", inPlace->Scroll(SIZE{1, 1}), E_NOTIMPL},
      {"OnUIDeactivate", inPlace->OnUIDeactivate(FALSE), S_OK},
      {"OnInPlaceDeactivate", inPlace->OnInPlaceDeactivate(), S_OK},
      {"DiscardUndoState", inPlace->DiscardUndoState(), S_OK},
      {"DeactivateAndUndo", inPlace->DeactivateAndUndo(), S_OK},
      {"OnPosRectChange", inPlace->OnPosRectChange(&rect), S_OK},
      {"RequestBorderSpace", frame->RequestBorderSpace(&rect), S_OK},
      {"SetBorderSpace", frame->SetBorderSpace(&rect), S_OK},
      {"SetActiveObject", frame->SetActiveObject(nullptr, nullptr), S_OK},
      {"InsertMenus", frame->InsertMenus(nullptr, nullptr), E_NOTIMPL},
      {"SetMenu", frame->SetMenu(nullptr, nullptr, nullptr), E_NOTIMPL},
      {"RemoveMenus", frame->RemoveMenus(nullptr), E_NOTIMPL},
      {"SetStatusText", frame->SetStatusText(L"x"), E_NOTIMPL},
      {"frame EnableModeless", frame->EnableModeless(TRUE), E_NOTIMPL},
      {"frame TranslateAccelerator", frame->TranslateAccelerator(&msg, 0), E_NOTIMPL},
      {"ShowContextMenu", handler->ShowContextMenu(0, &point, nullptr, nullptr), S_FALSE},
      {"ShowUI", handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK},
      {"HideUI", handler->HideUI(), S_OK},
      {"UpdateUI", handler->UpdateUI(), S_OK},
      {"handler EnableModeless", handler->EnableModeless(TRUE), E_NOTIMPL},
      {"OnDocWindowActivate", handler->OnDocWindowActivate(TRUE), S_OK},
      {"OnFrameWindowActivate", handler->OnFrameWindowActivate(TRUE), S_OK},
      {"ResizeBorder", handler->ResizeBorder(&rect, nullptr, TRUE), S_OK},
      {"handler TranslateAccelerator", handler->TranslateAccelerator(&msg, nullptr, 0), S_FALSE},
      {"GetOptionKeyPath", handler->GetOptionKeyPath(&keyPath, 0), S_OK},
      {"GetDropTarget", handler->GetDropTarget(nullptr, &drop), S_OK},
      {"TranslateUrl", handler->TranslateUrl(0, url, &translated), S_OK},
      {"FilterDataObject", handler->FilterDataObject(nullptr, &data), S_OK},
  };
  for (const Answer& a : answers) EXPECT_EQ(a.actual, a.expected) << a.name;
  // Every output that hands nothing back is cleared.
  EXPECT_EQ(moniker, nullptr);
  EXPECT_EQ(container, nullptr);
  EXPECT_EQ(keyPath, nullptr);
  EXPECT_EQ(drop, nullptr);
  EXPECT_EQ(translated, nullptr);
  EXPECT_EQ(data, nullptr);
}

TEST(WebBrowserSite, GetExternalHandsOutTheExternalObjectCounted) {
  CWebBrowser site;
  IDispatch* external = nullptr;
  ASSERT_EQ(site.GetExternal(&external), S_OK);
  EXPECT_EQ(external, static_cast<IDispatch*>(&site.External()));
  EXPECT_EQ(site.External().RefCount(), 1);
  EXPECT_EQ(external->Release(), 0u);
}

TEST(WebBrowserSite, WithoutAControlNothingIsDone) {
  CWebBrowser site;
  EXPECT_EQ(site.Navigate(L"http://127.0.0.1/", 2), 0);
  EXPECT_EQ(site.GetBrowserWindow(), nullptr);
  MSG key = {};
  key.message = WM_KEYDOWN;
  EXPECT_EQ(site.TranslateBrowserKey(&key), E_NOTIMPL);
  MSG mouse = {};
  mouse.message = WM_LBUTTONDOWN;
  EXPECT_EQ(site.TranslateBrowserKey(&mouse), S_FALSE);
  wchar_t buffer[8] = {};
  int size = 8;
  EXPECT_FALSE(site.GetBodyHtml(buffer, &size));
  EXPECT_FALSE(site.GetElementValue(L"a", buffer, &size));
  EXPECT_FALSE(site.SetElementValue(L"a", L"b"));
  EXPECT_FALSE(site.ClickElementById(L"a"));
  EXPECT_FALSE(site.LoadHtmlText(L"<p>x</p>"));
  EXPECT_FALSE(site.GetHtmlDocument2());
  EXPECT_FALSE(site.GetHtmlDocument3());
}

}  // namespace
