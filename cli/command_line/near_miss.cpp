#include "cli/command_line/near_miss.h"

#include <algorithm>

namespace {

constexpr std::size_t NEAR_MISS_MAX_EDITS = 2;

// Insertions, deletions and substitutions that turn a into b.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); j++) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); i++) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); j++) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string NearMiss(const std::string& typed, const std::vector<std::string>& candidates) {
  const std::size_t allowed = std::min(NEAR_MISS_MAX_EDITS, typed.size() / 3);
  std::string nearest;
  std::size_t best = allowed + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t edits = EditDistance(typed, candidate);
    if (edits < best) {
      best = edits;
      nearest = candidate;
    }
  }
  return nearest;
}
