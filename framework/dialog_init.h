// A dialog template's initial control data (resource type 240, as the MFC
// resource editor writes it): entries of {WORD id, WORD message, DWORD length,
// bytes}, ended by a zero id. Only combo box strings (message 0x403) are used.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "framework/win_types.h"

constexpr unsigned DIALOG_INIT_RESOURCE_TYPE = 240;

struct DialogInitData {
  const unsigned char* bytes = nullptr;
  std::size_t size = 0;
};

// The data of the template, empty when it has none (backend-specific).
DialogInitData FindDialogInitData(UINT templateId);

// Calls addString(controlId, text) for each combo box string, in order. Stops
// at the end marker or at an entry that would run past size.
void ForEachDialogInitString(DialogInitData data,
                             const std::function<void(int, const std::string&)>& addString);
