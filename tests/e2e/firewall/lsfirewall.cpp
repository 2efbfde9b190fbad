// lsfirewall.dll: Windows Defender Firewall of a test's making, for the
// end-to-end tests. Registered in the test prefix in place of Wine's
// NetFwPolicy2, NetFwRule and NetFwProducts, it serves the profiles, rules and
// products of a script and records every rule added or removed.
//
// The script is the file that HKCU\Software\lumaSeek tests, value
// FirewallScript names; tab-separated lines:
//   admin    no                        (changes are refused: E_ACCESSDENIED)
//   fail     policy|products  0xHRESULT
//   current  Private,Public
//   profile  Public  on|off  blockall|-  block|allow   (the default inbound action)
//   rule     NAME  allow|block  udp|tcp|any  PORTS  PROGRAM|-  Domain,Private|all  on|off  in|out
//   product  NAME
// The record is the script's name with ".record": "add" and a rule's fields,
// or "remove" and a name, a line each; the rules served are the script's with
// the record applied, so that changes last from one run to the next.
#define CINTERFACE
#include <windows.h>
#include <initguid.h>
#include <netfw.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr long PROTOCOL_UDP = NET_FW_IP_PROTOCOL_UDP, PROTOCOL_TCP = NET_FW_IP_PROTOCOL_TCP;
constexpr long PROTOCOL_ANY = 256;  // NET_FW_IP_PROTOCOL_ANY

struct RuleData {
  std::string name, ports, program;
  long protocol = PROTOCOL_ANY, profiles = NET_FW_PROFILE2_ALL;
  bool allow = true, enabled = true, inbound = true;
};

struct Script {
  bool admin = true;
  HRESULT policyFailure = S_OK, productsFailure = S_OK;
  long current = NET_FW_PROFILE2_PRIVATE;
  bool on[3] = {true, true, true}, blockAll[3] = {}, blockByDefault[3] = {true, true, true};
  std::vector<RuleData> rules;
  std::vector<std::string> products;
  std::string recordPath;
};

const char* const PROFILE_NAMES[3] = {"Domain", "Private", "Public"};

std::vector<std::string> Fields(const char* line) {
  std::vector<std::string> fields;
  std::string field;
  for (const char* p = line; *p && *p != '\r' && *p != '\n'; p++) {
    if (*p == '\t') {
      fields.push_back(field);
      field.clear();
    } else {
      field += *p;
    }
  }
  fields.push_back(field);
  return fields;
}

long Profiles(const std::string& names) {
  if (names == "all") return NET_FW_PROFILE2_ALL;
  long bits = 0;
  for (int i = 0; i < 3; i++)
    if (names.find(PROFILE_NAMES[i]) != std::string::npos) bits |= 1L << i;
  return bits;
}

std::string ProfileText(long bits) {
  if (bits == NET_FW_PROFILE2_ALL) return "all";
  std::string text;
  for (int i = 0; i < 3; i++)
    if (bits & (1L << i)) text += (text.empty() ? "" : ",") + std::string(PROFILE_NAMES[i]);
  return text;
}

// Fields 1..8 of a "rule" line, or of an "add" line of the record.
RuleData RuleOf(const std::vector<std::string>& f) {
  RuleData r;
  if (f.size() < 9) return r;
  r.name = f[1];
  r.allow = f[2] == "allow";
  r.protocol = f[3] == "udp" ? PROTOCOL_UDP : f[3] == "tcp" ? PROTOCOL_TCP : PROTOCOL_ANY;
  r.ports = f[4];
  r.program = f[5] == "-" ? "" : f[5];
  r.profiles = Profiles(f[6]);
  r.enabled = f[7] == "on";
  r.inbound = f[8] == "in";
  return r;
}

std::string RuleLine(const RuleData& r) {
  const char* protocol = r.protocol == NET_FW_IP_PROTOCOL_UDP   ? "udp"
                         : r.protocol == NET_FW_IP_PROTOCOL_TCP ? "tcp"
                                                                : "any";
  return r.name + "\t" + (r.allow ? "allow" : "block") + "\t" + protocol + "\t" + r.ports + "\t" +
         (r.program.empty() ? "-" : r.program) + "\t" + ProfileText(r.profiles) + "\t" + (r.enabled ? "on" : "off") +
         "\t" + (r.inbound ? "in" : "out");
}

void ReadLines(const std::string& path, Script& s, bool record) {
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return;
  char line[2048];
  while (std::fgets(line, sizeof line, file)) {
    const std::vector<std::string> f = Fields(line);
    const std::string& kind = f[0];
    if (kind == "admin" && f.size() > 1) s.admin = f[1] != "no";
    if (kind == "fail" && f.size() > 2)
      (f[1] == "policy" ? s.policyFailure : s.productsFailure) =
          static_cast<HRESULT>(std::strtoul(f[2].c_str(), nullptr, 16));
    if (kind == "current" && f.size() > 1) s.current = Profiles(f[1]);
    if (kind == "profile" && f.size() > 4) {
      for (int i = 0; i < 3; i++) {
        if (f[1] != PROFILE_NAMES[i]) continue;
        s.on[i] = f[2] == "on";
        s.blockAll[i] = f[3] == "blockall";
        s.blockByDefault[i] = f[4] == "block";
      }
    }
    if ((kind == "rule" && !record) || (kind == "add" && record)) s.rules.push_back(RuleOf(f));
    if (kind == "remove" && record && f.size() > 1) {
      for (std::size_t i = s.rules.size(); i-- > 0;)
        if (s.rules[i].name == f[1]) s.rules.erase(s.rules.begin() + static_cast<long>(i));
    }
    if (kind == "product" && f.size() > 1) s.products.push_back(f[1]);
  }
  std::fclose(file);
}

Script Load() {
  Script s;
  char path[MAX_PATH] = "";
  DWORD size = sizeof path;
  if (RegGetValueA(HKEY_CURRENT_USER, "Software\\lumaSeek tests", "FirewallScript", RRF_RT_REG_SZ, nullptr, path,
                   &size) != ERROR_SUCCESS)
    return s;
  ReadLines(path, s, false);
  s.recordPath = std::string(path) + ".record";
  ReadLines(s.recordPath, s, true);
  return s;
}

void Record(const std::string& line) {
  const Script s = Load();
  if (FILE* file = std::fopen(s.recordPath.c_str(), "a")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

BSTR Bstr(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n - 1 : 0));
  if (b && n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, b, n);
  return b;
}

std::string Utf8(BSTR b) {
  if (!b) return "";
  const int n = WideCharToMultiByte(CP_UTF8, 0, b, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, b, -1, &out[0], n, nullptr, nullptr);
  out.resize(std::strlen(out.c_str()));
  return out;
}

// Every method a test does not need answers E_NOTIMPL: the slots of a vtable
// are filled with it before the used ones are set.
HRESULT STDMETHODCALLTYPE NotImplemented() { return E_NOTIMPL; }

template <typename Vtbl>
void FillNotImplemented(Vtbl& vtbl) {
  void* stub = reinterpret_cast<void*>(&NotImplemented);
  char* slots = reinterpret_cast<char*>(&vtbl);
  for (std::size_t at = 0; at < sizeof vtbl; at += sizeof stub) std::memcpy(slots + at, &stub, sizeof stub);
}

// An object: its interface first, then a count of references and its data.
template <typename Interface, typename InterfaceVtbl, typename Data>
struct Object {
  using Iface = Interface;
  using Vtbl = InterfaceVtbl;
  Interface iface;
  LONG refs;
  Data data;
};

template <typename Self>
Self* Of(void* iface) {
  return reinterpret_cast<Self*>(iface);
}

template <typename Self>
ULONG STDMETHODCALLTYPE AddRef(void* This) {
  return static_cast<ULONG>(InterlockedIncrement(&Of<Self>(This)->refs));
}

template <typename Self>
ULONG STDMETHODCALLTYPE Release(void* This) {
  const LONG refs = InterlockedDecrement(&Of<Self>(This)->refs);
  if (refs == 0) delete Of<Self>(This);
  return static_cast<ULONG>(refs);
}

template <typename Self>
HRESULT QueryAs(void* This, REFIID riid, void** out, REFIID own) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, own)) {
    *out = This;
    AddRef<Self>(This);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

template <typename Self, typename Vtbl>
void Common(Vtbl& v, REFIID own) {
  FillNotImplemented(v);
  static const IID* ownIid = &own;
  v.QueryInterface = [](typename Self::Iface* This, REFIID riid, void** out) -> HRESULT {
    return QueryAs<Self>(This, riid, out, *ownIid);
  };
  v.AddRef = [](typename Self::Iface* This) -> ULONG { return AddRef<Self>(This); };
  v.Release = [](typename Self::Iface* This) -> ULONG { return Release<Self>(This); };
}

template <typename Self, typename Data>
typename Self::Iface* New(const typename Self::Vtbl* vtbl, Data data) {
  Self* self = new Self{{const_cast<typename Self::Vtbl*>(vtbl)}, 1, data};
  return &self->iface;
}

// -- a rule ------------------------------------------------------------------

using Rule = Object<INetFwRule, INetFwRuleVtbl, RuleData>;

HRESULT Put(std::string& field, BSTR value) {
  field = Utf8(value);
  return S_OK;
}

const INetFwRuleVtbl* RuleVtbl() {
  static INetFwRuleVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Rule>(v, IID_INetFwRule);
  v.get_Name = [](INetFwRule* t, BSTR* out) -> HRESULT { return (*out = Bstr(Of<Rule>(t)->data.name)), S_OK; };
  v.put_Name = [](INetFwRule* t, BSTR in) -> HRESULT { return Put(Of<Rule>(t)->data.name, in); };
  v.get_ApplicationName = [](INetFwRule* t, BSTR* out) -> HRESULT {
    const std::string& p = Of<Rule>(t)->data.program;
    *out = p.empty() ? nullptr : Bstr(p);
    return S_OK;
  };
  v.put_ApplicationName = [](INetFwRule* t, BSTR in) -> HRESULT { return Put(Of<Rule>(t)->data.program, in); };
  v.get_LocalPorts = [](INetFwRule* t, BSTR* out) -> HRESULT { return (*out = Bstr(Of<Rule>(t)->data.ports)), S_OK; };
  v.put_LocalPorts = [](INetFwRule* t, BSTR in) -> HRESULT { return Put(Of<Rule>(t)->data.ports, in); };
  v.get_Protocol = [](INetFwRule* t, LONG* out) -> HRESULT { return (*out = Of<Rule>(t)->data.protocol), S_OK; };
  v.put_Protocol = [](INetFwRule* t, LONG in) -> HRESULT { return (Of<Rule>(t)->data.protocol = in), S_OK; };
  v.get_Profiles = [](INetFwRule* t, LONG* out) -> HRESULT { return (*out = Of<Rule>(t)->data.profiles), S_OK; };
  v.put_Profiles = [](INetFwRule* t, LONG in) -> HRESULT { return (Of<Rule>(t)->data.profiles = in), S_OK; };
  v.get_Action = [](INetFwRule* t, NET_FW_ACTION* out) -> HRESULT {
    return (*out = Of<Rule>(t)->data.allow ? NET_FW_ACTION_ALLOW : NET_FW_ACTION_BLOCK), S_OK;
  };
  v.put_Action = [](INetFwRule* t, NET_FW_ACTION in) -> HRESULT {
    return (Of<Rule>(t)->data.allow = in == NET_FW_ACTION_ALLOW), S_OK;
  };
  v.get_Enabled = [](INetFwRule* t, VARIANT_BOOL* out) -> HRESULT {
    return (*out = Of<Rule>(t)->data.enabled ? VARIANT_TRUE : VARIANT_FALSE), S_OK;
  };
  v.put_Enabled = [](INetFwRule* t, VARIANT_BOOL in) -> HRESULT {
    return (Of<Rule>(t)->data.enabled = in != VARIANT_FALSE), S_OK;
  };
  v.get_Direction = [](INetFwRule* t, NET_FW_RULE_DIRECTION* out) -> HRESULT {
    return (*out = Of<Rule>(t)->data.inbound ? NET_FW_RULE_DIR_IN : NET_FW_RULE_DIR_OUT), S_OK;
  };
  v.put_Direction = [](INetFwRule* t, NET_FW_RULE_DIRECTION in) -> HRESULT {
    return (Of<Rule>(t)->data.inbound = in == NET_FW_RULE_DIR_IN), S_OK;
  };
  return &v;
}

INetFwRule* NewRule(const RuleData& data) { return New<Rule>(RuleVtbl(), data); }

// -- the rules and their enumeration -----------------------------------------

struct Cursor {
  std::vector<RuleData> rules;
  std::size_t next = 0;
};

using Enum = Object<IEnumVARIANT, IEnumVARIANTVtbl, Cursor>;

const IEnumVARIANTVtbl* EnumVtbl() {
  static IEnumVARIANTVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Enum>(v, IID_IEnumVARIANT);
  v.Next = [](IEnumVARIANT* t, ULONG count, VARIANT* items, ULONG* fetched) -> HRESULT {
    Cursor& c = Of<Enum>(t)->data;
    ULONG n = 0;
    for (; n < count && c.next < c.rules.size(); n++) {
      VariantInit(&items[n]);
      items[n].vt = VT_DISPATCH;
      items[n].pdispVal = reinterpret_cast<IDispatch*>(NewRule(c.rules[c.next++]));
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  };
  v.Reset = [](IEnumVARIANT* t) -> HRESULT { return (Of<Enum>(t)->data.next = 0), S_OK; };
  return &v;
}

using Rules = Object<INetFwRules, INetFwRulesVtbl, int>;

const INetFwRulesVtbl* RulesVtbl() {
  static INetFwRulesVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Rules>(v, IID_INetFwRules);
  v.get_Count = [](INetFwRules*, LONG* out) -> HRESULT {
    return (*out = static_cast<LONG>(Load().rules.size())), S_OK;
  };
  v.get__NewEnum = [](INetFwRules*, IUnknown** out) -> HRESULT {
    *out = reinterpret_cast<IUnknown*>(New<Enum>(EnumVtbl(), Cursor{Load().rules, 0}));
    return S_OK;
  };
  v.Item = [](INetFwRules*, BSTR name, INetFwRule** out) -> HRESULT {
    for (const RuleData& r : Load().rules) {
      if (r.name != Utf8(name)) continue;
      *out = NewRule(r);
      return S_OK;
    }
    *out = nullptr;
    return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
  };
  v.Add = [](INetFwRules*, INetFwRule* rule) -> HRESULT {
    if (!Load().admin) return E_ACCESSDENIED;
    // the rule may be any object with the interface: read it through its methods
    RuleData r;
    BSTR name = nullptr, ports = nullptr, program = nullptr;
    NET_FW_ACTION action = NET_FW_ACTION_ALLOW;
    NET_FW_RULE_DIRECTION direction = NET_FW_RULE_DIR_IN;
    VARIANT_BOOL enabled = VARIANT_FALSE;
    rule->lpVtbl->get_Name(rule, &name);
    rule->lpVtbl->get_LocalPorts(rule, &ports);
    rule->lpVtbl->get_ApplicationName(rule, &program);
    rule->lpVtbl->get_Protocol(rule, &r.protocol);
    rule->lpVtbl->get_Profiles(rule, &r.profiles);
    rule->lpVtbl->get_Action(rule, &action);
    rule->lpVtbl->get_Direction(rule, &direction);
    rule->lpVtbl->get_Enabled(rule, &enabled);
    r.name = Utf8(name);
    r.ports = Utf8(ports);
    r.program = Utf8(program);
    r.allow = action == NET_FW_ACTION_ALLOW;
    r.inbound = direction == NET_FW_RULE_DIR_IN;
    r.enabled = enabled != VARIANT_FALSE;
    SysFreeString(name);
    SysFreeString(ports);
    SysFreeString(program);
    Record("add\t" + RuleLine(r));
    return S_OK;
  };
  v.Remove = [](INetFwRules*, BSTR name) -> HRESULT {
    if (!Load().admin) return E_ACCESSDENIED;
    Record("remove\t" + Utf8(name));
    return S_OK;
  };
  return &v;
}

// -- the policy ----------------------------------------------------------------

int ProfileIndex(NET_FW_PROFILE_TYPE2 type) {
  for (int i = 0; i < 3; i++)
    if (type == (1 << i)) return i;
  return -1;
}

using Policy = Object<INetFwPolicy2, INetFwPolicy2Vtbl, int>;

const INetFwPolicy2Vtbl* PolicyVtbl() {
  static INetFwPolicy2Vtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Policy>(v, IID_INetFwPolicy2);
  v.get_CurrentProfileTypes = [](INetFwPolicy2*, LONG* out) -> HRESULT { return (*out = Load().current), S_OK; };
  v.get_FirewallEnabled = [](INetFwPolicy2*, NET_FW_PROFILE_TYPE2 type, VARIANT_BOOL* out) -> HRESULT {
    const int i = ProfileIndex(type);
    if (i < 0) return E_INVALIDARG;
    return (*out = Load().on[i] ? VARIANT_TRUE : VARIANT_FALSE), S_OK;
  };
  v.get_BlockAllInboundTraffic = [](INetFwPolicy2*, NET_FW_PROFILE_TYPE2 type, VARIANT_BOOL* out) -> HRESULT {
    const int i = ProfileIndex(type);
    if (i < 0) return E_INVALIDARG;
    return (*out = Load().blockAll[i] ? VARIANT_TRUE : VARIANT_FALSE), S_OK;
  };
  v.get_DefaultInboundAction = [](INetFwPolicy2*, NET_FW_PROFILE_TYPE2 type, NET_FW_ACTION* out) -> HRESULT {
    const int i = ProfileIndex(type);
    if (i < 0) return E_INVALIDARG;
    return (*out = Load().blockByDefault[i] ? NET_FW_ACTION_BLOCK : NET_FW_ACTION_ALLOW), S_OK;
  };
  v.get_Rules = [](INetFwPolicy2*, INetFwRules** out) -> HRESULT { return (*out = New<Rules>(RulesVtbl(), 0)), S_OK; };
  return &v;
}

// -- the products ----------------------------------------------------------------

using Product = Object<INetFwProduct, INetFwProductVtbl, std::string>;

const INetFwProductVtbl* ProductVtbl() {
  static INetFwProductVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Product>(v, IID_INetFwProduct);
  v.get_DisplayName = [](INetFwProduct* t, BSTR* out) -> HRESULT { return (*out = Bstr(Of<Product>(t)->data)), S_OK; };
  return &v;
}

using Products = Object<INetFwProducts, INetFwProductsVtbl, int>;

const INetFwProductsVtbl* ProductsVtbl() {
  static INetFwProductsVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  Common<Products>(v, IID_INetFwProducts);
  v.get_Count = [](INetFwProducts*, LONG* out) -> HRESULT {
    return (*out = static_cast<LONG>(Load().products.size())), S_OK;
  };
  v.Item = [](INetFwProducts*, LONG index, INetFwProduct** out) -> HRESULT {
    const Script s = Load();
    if (index < 0 || static_cast<std::size_t>(index) >= s.products.size()) return E_INVALIDARG;
    return (*out = New<Product>(ProductVtbl(), s.products[static_cast<std::size_t>(index)])), S_OK;
  };
  return &v;
}

// -- the class factory ----------------------------------------------------------

using Factory = Object<IClassFactory, IClassFactoryVtbl, CLSID>;

const IClassFactoryVtbl* FactoryVtbl() {
  static IClassFactoryVtbl v;
  static bool made = false;
  if (made) return &v;
  made = true;
  FillNotImplemented(v);
  v.QueryInterface = [](IClassFactory* t, REFIID riid, void** out) -> HRESULT {
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return (*out = nullptr), E_NOINTERFACE;
    AddRef<Factory>(t);
    return (*out = t), S_OK;
  };
  v.AddRef = [](IClassFactory* t) -> ULONG { return AddRef<Factory>(t); };
  v.Release = [](IClassFactory* t) -> ULONG { return Release<Factory>(t); };
  v.LockServer = [](IClassFactory*, BOOL) -> HRESULT { return S_OK; };
  v.CreateInstance = [](IClassFactory* t, IUnknown* outer, REFIID riid, void** out) -> HRESULT {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    const CLSID& clsid = Of<Factory>(t)->data;
    const Script s = Load();
    IUnknown* made = nullptr;
    if (IsEqualCLSID(clsid, CLSID_NetFwPolicy2)) {
      if (FAILED(s.policyFailure)) return s.policyFailure;
      made = reinterpret_cast<IUnknown*>(New<Policy>(PolicyVtbl(), 0));
    } else if (IsEqualCLSID(clsid, CLSID_NetFwProducts)) {
      if (FAILED(s.productsFailure)) return s.productsFailure;
      made = reinterpret_cast<IUnknown*>(New<Products>(ProductsVtbl(), 0));
    } else {
      made = reinterpret_cast<IUnknown*>(NewRule(RuleData{}));
    }
    const HRESULT hr = made->lpVtbl->QueryInterface(made, riid, out);
    made->lpVtbl->Release(made);
    return hr;
  };
  return &v;
}

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_NetFwPolicy2) && !IsEqualCLSID(clsid, CLSID_NetFwProducts) &&
      !IsEqualCLSID(clsid, CLSID_NetFwRule))
    return CLASS_E_CLASSNOTAVAILABLE;
  IClassFactory* factory = New<Factory>(FactoryVtbl(), clsid);
  const HRESULT hr = factory->lpVtbl->QueryInterface(factory, riid, out);
  factory->lpVtbl->Release(factory);
  return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
