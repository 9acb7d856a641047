#include "store/index/GramTokenizer.h"

#include <sqlite3.h>

#include "platform/Cp932.h"
#include "store/SearchRules.h"

namespace plume::store::index {

namespace {

/// The tokenizer keeps no state: one static object serves every table.
struct GramTokenizer {};

int CreateTokenizer(void*, const char**, int, Fts5Tokenizer** out) {
  static GramTokenizer one;
  *out = reinterpret_cast<Fts5Tokenizer*>(&one);
  return SQLITE_OK;
}

void DeleteTokenizer(Fts5Tokenizer*) {}

int Tokenize(Fts5Tokenizer*, void* context, int flags, const char* text, int length,
             int (*token)(void*, int, const char*, int, int, int)) {
  if (length <= 0) return SQLITE_OK;
  // A quoted query term is already one token, made by QueryGrams.
  if ((flags & FTS5_TOKENIZE_QUERY) != 0) return token(context, 0, text, length, 0, length);
  const std::string_view bytes(text, static_cast<std::size_t>(length));
  int rc = SQLITE_OK;
  ForEachGram(bytes, [&](std::size_t start, std::size_t size) {
    if (rc != SQLITE_OK) return;
    rc = token(context, 0, text + start, static_cast<int>(size), static_cast<int>(start),
               static_cast<int>(start + size));
  });
  return rc;
}

}  // namespace

void ForEachGram(std::string_view text, const std::function<void(std::size_t, std::size_t)>& emit) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t first = Cp932CharLength(text, i);
    emit(i, first);
    if (i + first < text.size()) emit(i, first + Cp932CharLength(text, i + first));
    i += first;
  }
}

std::vector<std::string> QueryGrams(std::string_view needle) {
  std::vector<std::size_t> starts;
  std::size_t i = 0;
  while (i < needle.size()) {
    starts.push_back(i);
    i += Cp932CharLength(needle, i);
  }
  // A lead byte ending the needle pairs with the text's next byte there: leave it out.
  if (!starts.empty() && starts.back() == needle.size() - 1 &&
      platform::IsCp932LeadByte(static_cast<unsigned char>(needle.back()))) {
    starts.pop_back();
  }
  std::vector<std::string> grams;
  if (starts.size() == 1) grams.emplace_back(needle.substr(0, Cp932CharLength(needle, 0)));
  // Pairs at every other character, and the last pair, cover the needle.
  auto pairAt = [&](std::size_t k) {
    const std::size_t to = starts[k + 1] + Cp932CharLength(needle, starts[k + 1]);
    return std::string(needle.substr(starts[k], to - starts[k]));
  };
  for (std::size_t k = 0; k + 1 < starts.size(); k += 2) grams.push_back(pairAt(k));
  if (starts.size() >= 3 && starts.size() % 2 == 1) grams.push_back(pairAt(starts.size() - 2));
  return grams;
}

std::string MatchExpression(const std::vector<std::string>& grams, std::string_view columns) {
  std::string out;
  if (!columns.empty()) out.append("{").append(columns).append("} : (");
  for (std::size_t k = 0; k < grams.size(); ++k) {
    if (k > 0) out += " AND ";
    out += '"';
    for (const char c : grams[k]) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  if (!columns.empty()) out += ")";
  return out;
}

bool RegisterGramTokenizer(sqlite3* db) {
  fts5_api* api = nullptr;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &statement, nullptr) != SQLITE_OK) return false;
  sqlite3_bind_pointer(statement, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
  sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (api == nullptr || api->iVersion < 2) return false;
  fts5_tokenizer tokenizer{CreateTokenizer, DeleteTokenizer, Tokenize};
  return api->xCreateTokenizer(api, kGramTokenizerName, nullptr, &tokenizer, nullptr) == SQLITE_OK;
}

}  // namespace plume::store::index
