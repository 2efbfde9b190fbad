// Message maps: a static const table per class of {message, code, id, handler},
// searched from the most derived class to CWnd. Each handler shape has one
// small adapter that turns the message parameters into the handler's arguments.
#pragma once

#include "framework/win_types.h"

class CWnd;

using MessageThunk = LRESULT (*)(CWnd* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
  UINT message;  // 0 ends the table
  UINT code;     // notification code of WM_COMMAND / WM_NOTIFY entries
  UINT id;       // control id of WM_COMMAND / WM_NOTIFY entries
  MessageThunk thunk;
};

struct MessageMap {
  const MessageMap* (*base)();
  const MessageMapEntry* entries;
};

// A WM_NOTIFY that the parent hands back to the control that sent it.
constexpr UINT WM_REFLECT_NOTIFY = 0xBC00 + WM_NOTIFY;

namespace message_adapters {

template <class T, void (T::*F)()>
LRESULT Void(CWnd* target, WPARAM, LPARAM) {
  (static_cast<T*>(target)->*F)();
  return 0;
}

template <class T, void (T::*F)(NMHDR*, LRESULT*)>
LRESULT Notify(CWnd* target, WPARAM, LPARAM lParam) {
  LRESULT result = 0;
  (static_cast<T*>(target)->*F)(reinterpret_cast<NMHDR*>(lParam), &result);
  return result;
}

template <class T, void (T::*F)(UINT_PTR)>
LRESULT Timer(CWnd* target, WPARAM wParam, LPARAM) {
  (static_cast<T*>(target)->*F)(static_cast<UINT_PTR>(wParam));
  return 0;
}

template <class T, HCURSOR (T::*F)()>
LRESULT QueryDragIcon(CWnd* target, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>((static_cast<T*>(target)->*F)());
}

}  // namespace message_adapters

#define DECLARE_MESSAGE_MAP()                      \
 protected:                                        \
  static const MessageMap* GetThisMessageMap();    \
  const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
  const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
  const MessageMap* theClass::GetThisMessageMap() {                                     \
    using ThisClass = theClass;                                                         \
    using TheBaseClass = baseClass;                                                     \
    static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                    \
  {0, 0, 0, nullptr}};                                                       \
  static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, 0, static_cast<UINT>(id), &message_adapters::Void<ThisClass, &ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) \
  {WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), &message_adapters::Void<ThisClass, &ThisClass::memberFxn>},
#define ON_CBN_SELCHANGE(id, memberFxn)              \
  {WM_COMMAND, CBN_SELCHANGE, static_cast<UINT>(id), \
   &message_adapters::Void<ThisClass, &ThisClass::memberFxn>},
#define ON_NOTIFY(code, id, memberFxn)                                 \
  {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), \
   &message_adapters::Notify<ThisClass, &ThisClass::memberFxn>},
#define ON_NOTIFY_REFLECT(code, memberFxn)                   \
  {WM_REFLECT_NOTIFY, static_cast<UINT>(code), 0, \
   &message_adapters::Notify<ThisClass, &ThisClass::memberFxn>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &message_adapters::Void<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, &message_adapters::Timer<ThisClass, &ThisClass::OnTimer>},
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, &message_adapters::QueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
