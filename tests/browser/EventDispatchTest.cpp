#include <gtest/gtest.h>

#include <exdispid.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ComTypes.h"
#include "WebBrowser.h"

namespace {

// Builds an event's DISPPARAMS the way the control does: parameters given
// first to last, stored last to first.
class EventArgs {
 public:
  EventArgs& Text(const wchar_t* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return Push(v);
  }
  // A URL passed by reference, as BeforeNavigate2, NavigateComplete2 and
  // DocumentComplete carry it.
  EventArgs& TextByRef(const wchar_t* text) {
    inner_.push_back(std::make_unique<ScopedVariant>());
    ScopedVariant& target = *inner_.back();
    target->vt = VT_BSTR;
    target->bstrVal = SysAllocString(text);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = target.Get();
    return Push(v);
  }
  EventArgs& Dispatch(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    if (object) object->AddRef();
    return Push(v);
  }
  EventArgs& Number(LONG n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return Push(v);
  }
  EventArgs& BoolOut(VARIANT_BOOL* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_BOOL;
    v.pboolVal = target;
    return Push(v);
  }
  EventArgs& DispatchOut(IDispatch** slot) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_DISPATCH;
    v.ppdispVal = slot;
    return Push(v);
  }
  ~EventArgs() {
    for (VARIANT& v : args_) VariantClear(&v);
  }
  DISPPARAMS* Params() {
    reversed_.assign(args_.rbegin(), args_.rend());
    params_.rgvarg = reversed_.empty() ? nullptr : reversed_.data();
    params_.cArgs = static_cast<UINT>(reversed_.size());
    return &params_;
  }

 private:
  EventArgs& Push(const VARIANT& v) {
    args_.push_back(v);
    return *this;
  }
  std::vector<VARIANT> args_;
  std::vector<VARIANT> reversed_;
  std::vector<std::unique_ptr<ScopedVariant>> inner_;
  DISPPARAMS params_ = {};
};

class Recorder {
 public:
  explicit Recorder(CWebBrowser& site) {
    site.onTitleChange = [this](const wchar_t* title) { Add(L"title " + std::wstring(title)); };
    site.onDocumentComplete = [this](IDispatch* frame, const wchar_t* url) {
      frames.push_back(frame);
      Add(L"document " + std::wstring(url));
    };
    site.onNavigateComplete = [this](const wchar_t* url) { Add(L"navigate " + std::wstring(url)); };
    site.onBeforeNavigate = [this](IDispatch* frame, const wchar_t* url, VARIANT_BOOL*& cancel) {
      frames.push_back(frame);
      Add(L"before " + std::wstring(url));
      *cancel = VARIANT_TRUE;
    };
    site.onNewWindow = [this](IDispatch** slot, VARIANT_BOOL*& cancel, DWORD flags,
                              const wchar_t* context, const wchar_t* url) {
      Add(L"new " + std::to_wstring(flags) + L" " + context + L" " + url);
      newWindowSlot = slot;
      *cancel = VARIANT_TRUE;
    };
    site.onQuit = [this] { Add(L"quit"); };
  }
  void Add(std::wstring call) { calls.push_back(std::move(call)); }

  std::vector<std::wstring> calls;
  std::vector<IDispatch*> frames;
  IDispatch** newWindowSlot = nullptr;
};

HRESULT Fire(CWebBrowser& site, DISPID id, EventArgs& args, REFIID riid = IID_NULL) {
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = 77;
  EXCEPINFO exception = {};
  exception.scode = 99;
  UINT argError = 55;
  HRESULT hr = site.Invoke(id, riid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, args.Params(), &result,
                           &exception, &argError);
  // The outputs belong to the caller and are never written.
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 77);
  EXPECT_EQ(exception.scode, 99);
  EXPECT_EQ(argError, 55u);
  return hr;
}

TEST(EventDispatch, AnIidOtherThanNullIsRefusedForEveryEvent) {
  CWebBrowser site;
  Recorder recorder(site);
  const DISPID ids[] = {DISPID_QUIT, DISPID_TITLECHANGE, DISPID_NAVIGATECOMPLETE2,
                        DISPID_DOCUMENTCOMPLETE};
  for (DISPID id : ids) {
    EventArgs args;
    args.Dispatch(nullptr).TextByRef(L"http://a/");
    EXPECT_EQ(Fire(site, id, args, IID_IDispatch), E_INVALIDARG) << id;
  }
  EXPECT_TRUE(recorder.calls.empty());
}

TEST(EventDispatch, EventsReachTheirCallbacksWithTheirArgumentsInPlace) {
  CWebBrowser site;
  Recorder recorder(site);
  CImpIDispatch frame;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  {
    EventArgs args;
    args.Text(L"Valdris");
    EXPECT_EQ(Fire(site, DISPID_TITLECHANGE, args), S_OK);
  }
  {
    EventArgs args;  // pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel
    args.Dispatch(&frame).TextByRef(L"http://game/a").Number(0).Text(L"").Number(0).Text(L"")
        .BoolOut(&cancel);
    EXPECT_EQ(Fire(site, DISPID_BEFORENAVIGATE2, args), S_OK);
  }
  {
    EventArgs args;
    args.Dispatch(&frame).TextByRef(L"http://game/b");
    EXPECT_EQ(Fire(site, DISPID_NAVIGATECOMPLETE2, args), S_OK);
    EXPECT_EQ(Fire(site, DISPID_DOCUMENTCOMPLETE, args), S_OK);
  }
  EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"title Valdris", L"before http://game/a",
                                                       L"navigate http://game/b",
                                                       L"document http://game/b"}));
  EXPECT_EQ(cancel, VARIANT_TRUE);
  EXPECT_EQ(recorder.frames, (std::vector<IDispatch*>{&frame, &frame}));
}

TEST(EventDispatch, EachFrameOfAPageReachesTheCallbacks) {
  CWebBrowser site;
  Recorder recorder(site);
  CImpIDispatch top, left, right;
  for (CImpIDispatch* frame : {&left, &right, &top}) {
    EventArgs args;
    args.Dispatch(frame).TextByRef(frame == &top ? L"top" : frame == &left ? L"left" : L"right");
    EXPECT_EQ(Fire(site, DISPID_NAVIGATECOMPLETE2, args), S_OK);
    EXPECT_EQ(Fire(site, DISPID_DOCUMENTCOMPLETE, args), S_OK);
  }
  EXPECT_EQ(recorder.calls,
            (std::vector<std::wstring>{L"navigate left", L"document left", L"navigate right",
                                       L"document right", L"navigate top", L"document top"}));
  EXPECT_EQ(recorder.frames, (std::vector<IDispatch*>{&left, &right, &top}));
}

TEST(EventDispatch, NewWindow3HandsOverSlotCancelFlagsAndBothUrls) {
  CWebBrowser site;
  Recorder recorder(site);
  IDispatch* newBrowser = nullptr;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  EventArgs args;  // ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl
  args.DispatchOut(&newBrowser).BoolOut(&cancel).Number(6).Text(L"http://game/ctx").Text(L"http://pay/");
  EXPECT_EQ(Fire(site, DISPID_NEWWINDOW3, args), S_OK);
  EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"new 6 http://game/ctx http://pay/"}));
  EXPECT_EQ(recorder.newWindowSlot, &newBrowser);
  EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST(EventDispatch, ShortOrMistypedEventsDoNothingAndSucceed) {
  CWebBrowser site;
  Recorder recorder(site);
  struct Row {
    const char* name;
    DISPID id;
    int argumentCount;
  } rows[] = {
      {"TitleChange without argument", DISPID_TITLECHANGE, 0},
      {"BeforeNavigate2 with 5", DISPID_BEFORENAVIGATE2, 5},
      {"BeforeNavigate2 with 6", DISPID_BEFORENAVIGATE2, 6},
      {"NavigateComplete2 with 1", DISPID_NAVIGATECOMPLETE2, 1},
      {"DocumentComplete with 1", DISPID_DOCUMENTCOMPLETE, 1},
      {"NewWindow3 with 4", DISPID_NEWWINDOW3, 4},
  };
  for (const Row& row : rows) {
    EventArgs args;
    for (int i = 0; i < row.argumentCount; ++i) args.TextByRef(L"http://x/");
    EXPECT_EQ(Fire(site, row.id, args), S_OK) << row.name;
  }
  EventArgs number;
  number.Number(5);
  EXPECT_EQ(Fire(site, DISPID_TITLECHANGE, number), S_OK);
  EXPECT_TRUE(recorder.calls.empty());
}

TEST(EventDispatch, OnlyTheHandledEventsAreKnown) {
  CWebBrowser site;
  Recorder recorder(site);
  struct Row {
    DISPID id;
    HRESULT expected;
  } rows[] = {
      {DISPID_QUIT, S_OK},
      {DISPID_COMMANDSTATECHANGE, S_OK},
      {DISPID_NAVIGATEERROR, S_OK},
      {DISPID_NEWWINDOW2, DISP_E_MEMBERNOTFOUND},
      {DISPID_DOWNLOADBEGIN, DISP_E_MEMBERNOTFOUND},
      {DISPID_DOWNLOADCOMPLETE, DISP_E_MEMBERNOTFOUND},
      {DISPID_PROGRESSCHANGE, DISP_E_MEMBERNOTFOUND},
      {DISPID_STATUSTEXTCHANGE, DISP_E_MEMBERNOTFOUND},
  };
  for (const Row& row : rows) {
    EventArgs args;
    EXPECT_EQ(Fire(site, row.id, args), row.expected) << row.id;
  }
  EXPECT_EQ(recorder.calls, (std::vector<std::wstring>{L"quit"}));
}

TEST(EventDispatch, UnboundCallbacksAndThrowingCallbacksAreSafe) {
  CWebBrowser site;
  EventArgs args;
  args.Dispatch(nullptr).TextByRef(L"http://a/");
  EXPECT_EQ(Fire(site, DISPID_DOCUMENTCOMPLETE, args), S_OK);
  site.onNavigateComplete = [](const wchar_t*) { throw std::runtime_error("handler failed"); };
  EXPECT_EQ(Fire(site, DISPID_NAVIGATECOMPLETE2, args), DISP_E_EXCEPTION);
}

TEST(ScriptErrorCommand, AnswersOnlyTheScriptErrorOfTheDocHostGroup) {
  const GUID docHost = {0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
  const GUID other = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
  struct Row {
    const char* name;
    const GUID* group;
    DWORD command;
    HRESULT expected;
    bool answered;
  } rows[] = {
      {"null group", nullptr, 40, OLECMDERR_E_UNKNOWNGROUP, false},
      {"other group", &other, 40, OLECMDERR_E_UNKNOWNGROUP, false},
      {"command 41", &docHost, 41, OLECMDERR_E_NOTSUPPORTED, false},
      {"script error without document", &docHost, 40, S_OK, true},
  };
  CWebBrowser site;
  for (const Row& row : rows) {
    VARIANT output;
    VariantInit(&output);
    EXPECT_EQ(site.Exec(row.group, row.command, 0, nullptr, &output), row.expected) << row.name;
    EXPECT_EQ(output.vt, row.answered ? VT_BOOL : VT_EMPTY) << row.name;
    if (row.answered) {
      EXPECT_EQ(output.boolVal, VARIANT_TRUE) << row.name;
    }
  }
  OLECMD command = {40, 0};
  EXPECT_EQ(site.QueryStatus(&docHost, 1, &command, nullptr), OLECMDERR_E_NOTSUPPORTED);
  EXPECT_EQ(command.cmdf, 0u);
}

TEST(ExternalObject, EveryNameIsUnknownWhileTheTableIsEmpty) {
  CImpIDispatch external;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"anything"), const_cast<LPOLESTR>(L"other")};
  DISPID ids[2] = {5, 6};
  EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names, 0, 0, ids), S_OK);
}

TEST(ExternalObject, LooksNamesUpExactlyInAscendingIdOrder) {
  CImpIDispatch external;
  external.AddName(9, L"play");
  external.AddName(4, L"play");
  external.AddName(2, L"stop");
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"play"), const_cast<LPOLESTR>(L"Stop"),
                      const_cast<LPOLESTR>(L"stop")};
  DISPID ids[3] = {};
  EXPECT_EQ(external.GetIDsOfNames(IID_NULL, names, 3, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 4);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  EXPECT_EQ(ids[2], 2);
}

TEST(ExternalObject, AnswersOnlyIUnknownAndIDispatchAndCountsWithoutFreeing) {
  // IID_IDispatchEx; the MinGW import libraries do not carry it.
  const IID IID_IDispatchEx = {0xa6ef9860, 0xc720, 0x11d0, {0x93, 0x37, 0x00, 0xa0, 0xc9, 0x0d, 0xca, 0xa9}};
  CImpIDispatch external;
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(external.QueryInterface(IID_IDispatchEx, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(external.QueryInterface(IID_IDispatch, &out), S_OK);
  EXPECT_EQ(out, static_cast<IDispatch*>(&external));
  EXPECT_EQ(external.QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(external.RefCount(), 0);
  EXPECT_EQ(external.AddRef(), 1u);
  EXPECT_EQ(external.AddRef(), 2u);
  EXPECT_EQ(external.Release(), 1u);
  EXPECT_EQ(external.Release(), 0u);
  EXPECT_EQ(external.GetTypeInfoCount(nullptr), E_FAIL);
  EXPECT_EQ(external.GetTypeInfo(0, 0, nullptr), E_FAIL);
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none = {};
  EXPECT_EQ(external.Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
}

}  // namespace
