#include "platform/firewall.h"

#include <windows.h>
#include <netfw.h>

#include <cstdio>
#include <cstring>

#include "platform/system_text.h"

namespace platform {

namespace {

// More rules than any real firewall holds: a broken enumeration ends here.
constexpr int FIREWALL_MAX_RULES_READ = 100000;
constexpr int FIREWALL_MAX_REMOVALS = 64;

// COM for the calls of one function; a thread that has it already keeps it.
struct ComScope {
  HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ~ComScope() {
    if (SUCCEEDED(init)) CoUninitialize();
  }
};

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  void** Out() { return reinterpret_cast<void**>(&p); }
};

struct Bstr {
  BSTR b = nullptr;
  Bstr() = default;
  explicit Bstr(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (n <= 0) return;
    b = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
    if (b) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, b, n);
  }
  ~Bstr() { SysFreeString(b); }
  std::string Utf8() const {
    if (!b) return "";
    const int length = static_cast<int>(SysStringLen(b));
    const int n = WideCharToMultiByte(CP_UTF8, 0, b, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, b, length, &out[0], n, nullptr, nullptr);
    return out;
  }
};

// The system's text and the code, which is what a reader can look up.
std::string ErrorText(HRESULT hr) {
  char text[256], code[16], none[32];
  SystemErrorText(static_cast<unsigned long>(hr), text, sizeof text);
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  std::snprintf(none, sizeof none, "error %lu", static_cast<unsigned long>(hr));
  if (std::strcmp(text, none) == 0) return std::string("error ") + code;  // the system has no text for it
  return std::string(text) + " (" + code + ")";
}

HRESULT OpenPolicy(Com<INetFwPolicy2>& policy) {
  return CoCreateInstance(__uuidof(NetFwPolicy2), nullptr, CLSCTX_INPROC_SERVER, __uuidof(INetFwPolicy2), policy.Out());
}

HRESULT OpenRules(Com<INetFwRules>& rules, std::string& error) {
  Com<INetFwPolicy2> policy;
  HRESULT hr = OpenPolicy(policy);
  if (SUCCEEDED(hr)) hr = policy.p->get_Rules(&rules.p);
  if (FAILED(hr)) error = ErrorText(hr);
  return hr;
}

FirewallChange Outcome(HRESULT hr, std::string& error) {
  if (SUCCEEDED(hr)) return FIREWALL_CHANGED;
  error = ErrorText(hr);
  return hr == E_ACCESSDENIED ? FIREWALL_DENIED : FIREWALL_FAILED;
}

std::string ProgramFolderUtf8() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  Bstr text;
  text.b = SysAllocStringLen(path, length);
  const std::string folder = text.Utf8();
  const std::size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? folder : folder.substr(0, slash);
}

void ReadProfiles(INetFwPolicy2* policy, FirewallReading& r) {
  long current = 0;
  HRESULT hr = policy->get_CurrentProfileTypes(&current);
  if (FAILED(hr)) {
    r.profilesError = ErrorText(hr);
    return;
  }
  r.currentProfiles = static_cast<unsigned>(current);
  for (int i = 0; i < FIREWALL_PROFILE_COUNT; i++) {
    const NET_FW_PROFILE_TYPE2 type = static_cast<NET_FW_PROFILE_TYPE2>(FIREWALL_PROFILE_BITS[i]);
    VARIANT_BOOL enabled = VARIANT_FALSE, blockAll = VARIANT_FALSE;
    NET_FW_ACTION inbound = NET_FW_ACTION_ALLOW;
    hr = policy->get_FirewallEnabled(type, &enabled);
    if (SUCCEEDED(hr)) hr = policy->get_BlockAllInboundTraffic(type, &blockAll);
    if (SUCCEEDED(hr)) hr = policy->get_DefaultInboundAction(type, &inbound);
    if (FAILED(hr)) {
      if (r.profilesError.empty()) r.profilesError = ErrorText(hr);
      continue;
    }
    r.profiles[i] = {true, enabled != VARIANT_FALSE, blockAll != VARIANT_FALSE, inbound == NET_FW_ACTION_BLOCK};
  }
}

FirewallRule RuleRecord(INetFwRule* rule) {
  FirewallRule out;
  Bstr name, ports, application;
  long protocol = FIREWALL_PROTOCOL_ANY, profiles = static_cast<long>(FIREWALL_PROFILE_ALL);
  NET_FW_ACTION action = NET_FW_ACTION_ALLOW;
  NET_FW_RULE_DIRECTION direction = NET_FW_RULE_DIR_IN;
  VARIANT_BOOL enabled = VARIANT_FALSE;
  // A property the system does not give keeps its widest value: the rule then
  // counts where it might apply.
  rule->get_Name(&name.b);
  rule->get_Protocol(&protocol);
  rule->get_LocalPorts(&ports.b);
  rule->get_ApplicationName(&application.b);
  rule->get_Profiles(&profiles);
  rule->get_Action(&action);
  rule->get_Direction(&direction);
  rule->get_Enabled(&enabled);
  out.name = name.Utf8();
  out.protocol = static_cast<int>(protocol);
  out.localPorts = ports.Utf8();
  out.application = application.Utf8();
  out.profiles = static_cast<unsigned>(profiles);
  out.allow = action != NET_FW_ACTION_BLOCK;
  out.enabled = enabled != VARIANT_FALSE;
  out.inbound = direction == NET_FW_RULE_DIR_IN;
  return out;
}

void ReadRules(INetFwPolicy2* policy, FirewallReading& r) {
  Com<INetFwRules> rules;
  Com<IUnknown> unknown;
  Com<IEnumVARIANT> items;
  HRESULT hr = policy->get_Rules(&rules.p);
  if (SUCCEEDED(hr)) hr = rules.p->get__NewEnum(&unknown.p);
  if (SUCCEEDED(hr)) hr = unknown.p->QueryInterface(__uuidof(IEnumVARIANT), items.Out());
  if (FAILED(hr)) {
    r.rulesError = ErrorText(hr);
    return;
  }
  for (int n = 0; n < FIREWALL_MAX_RULES_READ; n++) {
    VARIANT item;
    VariantInit(&item);
    ULONG fetched = 0;
    if (items.p->Next(1, &item, &fetched) != S_OK || fetched != 1) break;
    Com<INetFwRule> rule;
    if (item.vt == VT_DISPATCH && item.pdispVal &&
        SUCCEEDED(item.pdispVal->QueryInterface(__uuidof(INetFwRule), rule.Out())))
      r.rules.push_back(RuleRecord(rule.p));
    VariantClear(&item);
  }
  r.rulesRead = true;
}

void ReadProducts(FirewallReading& r) {
  Com<INetFwProducts> products;
  long count = 0;
  HRESULT hr = CoCreateInstance(__uuidof(NetFwProducts), nullptr, CLSCTX_INPROC_SERVER, __uuidof(INetFwProducts),
                                products.Out());
  if (SUCCEEDED(hr)) hr = products.p->get_Count(&count);
  if (FAILED(hr)) {
    r.productsError = ErrorText(hr);
    return;
  }
  for (long i = 0; i < count && i < FIREWALL_MAX_RULES_READ; i++) {
    Com<INetFwProduct> product;
    Bstr name;
    if (SUCCEEDED(products.p->Item(i, &product.p)) && SUCCEEDED(product.p->get_DisplayName(&name.b)))
      r.products.push_back(name.Utf8());
  }
  r.productsRead = true;
}

}  // namespace

FirewallReading ReadFirewall() {
  const ComScope com;
  FirewallReading r;
  r.attempted = true;
  r.programFolder = ProgramFolderUtf8();
  Com<INetFwPolicy2> policy;
  const HRESULT hr = OpenPolicy(policy);
  if (FAILED(hr)) {
    r.policyError = ErrorText(hr);
  } else {
    ReadProfiles(policy.p, r);
    ReadRules(policy.p, r);
  }
  ReadProducts(r);
  return r;
}

FirewallChange AddFirewallRule(const FirewallRule& record, std::string& error) {
  const ComScope com;
  Com<INetFwRules> rules;
  Com<INetFwRule> rule;
  HRESULT hr = OpenRules(rules, error);
  if (FAILED(hr)) return hr == E_ACCESSDENIED ? FIREWALL_DENIED : FIREWALL_FAILED;
  hr = CoCreateInstance(__uuidof(NetFwRule), nullptr, CLSCTX_INPROC_SERVER, __uuidof(INetFwRule), rule.Out());
  const Bstr name(record.name), ports(record.localPorts), application(record.application);
  // The protocol comes before the ports: a rule of any protocol takes none.
  if (SUCCEEDED(hr)) hr = rule.p->put_Name(name.b);
  if (SUCCEEDED(hr)) hr = rule.p->put_Protocol(record.protocol);
  if (SUCCEEDED(hr)) hr = rule.p->put_LocalPorts(ports.b);
  if (SUCCEEDED(hr) && !record.application.empty()) hr = rule.p->put_ApplicationName(application.b);
  if (SUCCEEDED(hr)) hr = rule.p->put_Direction(record.inbound ? NET_FW_RULE_DIR_IN : NET_FW_RULE_DIR_OUT);
  if (SUCCEEDED(hr)) hr = rule.p->put_Action(record.allow ? NET_FW_ACTION_ALLOW : NET_FW_ACTION_BLOCK);
  if (SUCCEEDED(hr)) hr = rule.p->put_Profiles(static_cast<long>(record.profiles));
  if (SUCCEEDED(hr)) hr = rule.p->put_Enabled(record.enabled ? VARIANT_TRUE : VARIANT_FALSE);
  if (SUCCEEDED(hr)) hr = rules.p->Add(rule.p);
  return Outcome(hr, error);
}

FirewallChange RemoveFirewallRules(const std::string& name, std::string& error) {
  const ComScope com;
  Com<INetFwRules> rules;
  HRESULT hr = OpenRules(rules, error);
  if (FAILED(hr)) return hr == E_ACCESSDENIED ? FIREWALL_DENIED : FIREWALL_FAILED;
  const Bstr text(name);
  // Remove takes one rule of the name at a time.
  for (int n = 0; n < FIREWALL_MAX_REMOVALS && SUCCEEDED(hr); n++) {
    Com<INetFwRule> rule;
    if (FAILED(rules.p->Item(text.b, &rule.p))) break;
    hr = rules.p->Remove(text.b);
  }
  return Outcome(hr, error);
}

}  // namespace platform
