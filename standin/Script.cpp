#include "Script.h"

#include <charconv>

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// UTF-16 where wchar_t is 16 bits wide (Windows), one unit per code point elsewhere.
void AppendCodePoint(std::wstring& out, std::uint32_t cp) {
  if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<wchar_t>(cp));
  }
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Splits off the first blank-separated word; the rest keeps its inner blanks.
std::string_view NextWord(std::string_view& s) {
  s = Trim(s);
  size_t end = s.find_first_of(" \t");
  std::string_view word = s.substr(0, end);
  s = end == std::string_view::npos ? std::string_view() : Trim(s.substr(end));
  return word;
}

template <typename T>
bool ParseNumber(std::string_view s, T& out) {
  if (s.empty()) return false;
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    s.remove_prefix(2);
    base = 16;
  }
  auto r = std::from_chars(s.data(), s.data() + s.size(), out, base);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseDelay(std::string_view s, int& out) { return ParseNumber(s, out) && out >= 0; }

// Texts are the rest of the line; \n, \t and \\ stand for what they say.
std::wstring Text(std::string_view s) {
  std::string unescaped;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char c = s[i + 1];
      if (c == 'n' || c == 't' || c == '\\') {
        unescaped.push_back(c == 'n' ? '\n' : c == 't' ? '\t' : '\\');
        ++i;
        continue;
      }
    }
    unescaped.push_back(s[i]);
  }
  return Utf8ToWide(unescaped);
}

class Parser {
 public:
  ParsedScript Run(std::string_view text) {
    int line = 0;
    while (!text.empty()) {
      size_t end = text.find('\n');
      std::string_view raw = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      ++line;
      if (line == 1 && raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
      std::string_view rest = Trim(raw);
      if (rest.empty() || rest.front() == '#') continue;
      if (const char* problem = Line(rest)) result_.problems.push_back({line, problem});
    }
    return std::move(result_);
  }

 private:
  // Returns why the line was skipped, or null.
  const char* Line(std::string_view rest) {
    std::string_view word = NextWord(rest);
    if (word == "page") {
      if (rest.empty()) return "page needs a URL pattern";
      result_.script.pages.push_back({});
      page_ = &result_.script.pages.back();
      page_->pattern = Text(rest);
      waitMs_ = 0;
      return nullptr;
    }
    if (!page_) return "a page line must come first";
    if (word == "title") return page_->title = Text(rest), nullptr;
    if (word == "body") return page_->body = Text(rest), nullptr;
    if (word == "flash") return rest.empty() ? (page_->flash = true, nullptr) : "flash takes nothing";
    if (word == "frame") return rest.empty() ? "frame needs a URL" : (page_->frames.push_back(Text(rest)), nullptr);
    if (word == "load") return ParseDelay(rest, page_->loadMs) ? nullptr : "load needs milliseconds";
    if (word == "error") {
      long status = 0;
      if (!ParseNumber(rest, status)) return "error needs a status number";
      page_->errorStatus = status;
      return nullptr;
    }
    if (word == "element") return Element(rest);
    if (word == "wait") {
      int ms = 0;
      if (!ParseDelay(rest, ms)) return "wait needs milliseconds";
      waitMs_ += ms;
      return nullptr;
    }
    if (word == "newwindow") return NewWindow(rest);
    if (word == "scripterror") return ScriptErrorLine(rest);
    if (word == "navigate") {
      if (rest.empty()) return "navigate needs a URL";
      ActionSpec a;
      a.kind = ActionKind::Navigate;
      a.url = Text(rest);
      return AddAction(std::move(a));
    }
    return "unknown keyword";
  }

  const char* Element(std::string_view rest) {
    std::string_view id = NextWord(rest);
    std::string_view what = NextWord(rest);
    if (id.empty() || what.empty()) return "element needs an id and text, html or attr";
    ElementSpec& e = ElementById(Utf8ToWide(id));
    if (what == "text") return e.text = Text(rest), nullptr;
    if (what == "html") return e.html = Text(rest), nullptr;
    if (what == "attr") {
      std::string_view name = NextWord(rest);
      if (name.empty()) return "attr needs a name";
      e.attributes.emplace_back(Utf8ToWide(name), Text(rest));
      return nullptr;
    }
    return "element needs text, html or attr";
  }

  ElementSpec& ElementById(std::wstring id) {
    for (ElementSpec& e : page_->elements)
      if (e.id == id) return e;
    page_->elements.push_back({});
    page_->elements.back().id = std::move(id);
    return page_->elements.back();
  }

  const char* NewWindow(std::string_view rest) {
    ActionSpec a;
    a.kind = ActionKind::NewWindow;
    std::string_view url = NextWord(rest);
    if (url.empty()) return "newwindow needs a URL";
    if (!rest.empty() && !ParseNumber(rest, a.flags)) return "newwindow flags must be a number";
    a.url = Text(url);
    return AddAction(std::move(a));
  }

  const char* ScriptErrorLine(std::string_view rest) {
    ActionSpec a;
    a.kind = ActionKind::ScriptError;
    if (!ParseNumber(NextWord(rest), a.errorLine) || !ParseNumber(NextWord(rest), a.errorCharacter) ||
        !ParseNumber(NextWord(rest), a.errorCode))
      return "scripterror needs line, character and code numbers";
    a.message = Text(rest);
    return AddAction(std::move(a));
  }

  const char* AddAction(ActionSpec a) {
    a.delayMs = std::exchange(waitMs_, 0);
    page_->actions.push_back(std::move(a));
    return nullptr;
  }

  ParsedScript result_;
  PageSpec* page_ = nullptr;
  int waitMs_ = 0;
};

}  // namespace

ParsedScript ParseScript(std::string_view text) { return Parser().Run(text); }

bool UrlMatches(std::wstring_view pattern, std::wstring_view url) {
  size_t star = pattern.find(L'*');
  if (star == std::wstring_view::npos) return pattern == url;
  std::wstring_view head = pattern.substr(0, star);
  if (url.substr(0, head.size()) != head) return false;
  std::wstring_view tail = pattern.substr(star + 1);
  url.remove_prefix(head.size());
  for (size_t i = 0; i <= url.size(); ++i)
    if (UrlMatches(tail, url.substr(i))) return true;
  return false;
}

const PageSpec* FindPage(const Script& script, std::wstring_view url) {
  for (const PageSpec& page : script.pages)
    if (UrlMatches(page.pattern, url)) return &page;
  return nullptr;
}

std::wstring Utf8ToWide(std::string_view text) {
  static const std::uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : 4;
    bool ok = extra < 4 && i + extra < text.size();
    std::uint32_t cp = ok ? b & (0x7F >> extra) : 0;
    for (size_t k = 1; ok && k <= extra; ++k) {
      auto c = static_cast<unsigned char>(text[i + k]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += extra + 1;
  }
  return out;
}
