#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "settings/file_access.h"

namespace quorn {
namespace {

namespace fs = std::filesystem;

// Writes a new file; false leaves nothing behind.
bool WriteNew(const fs::path& file, const std::string& bytes) {
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.flush();
      if (out) return true;
    }
  }
  std::error_code ignored;
  fs::remove(file, ignored);
  return false;
}

}  // namespace

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::u8path(path), ec);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool IsReadOnlyFile(const std::string& path) {
  std::error_code ec;
  fs::file_status status = fs::status(fs::u8path(path), ec);
  if (ec || !fs::exists(status)) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  const fs::path target = fs::u8path(path);
  fs::path temporary = target;
  temporary += ".tmp";
  if (!WriteNew(temporary, bytes)) return false;
  std::error_code ec;
  fs::file_status before = fs::status(target, ec);
  if (!ec && fs::exists(before)) fs::permissions(temporary, before.permissions(), ec);  // keep the file's mode
  ec.clear();
  fs::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

bool CreateNewFile(const std::string& path, const std::string& bytes) {
  const fs::path target = fs::u8path(path);
  // Written under another name and linked into place, so that an existing
  // file is never replaced and a failed write leaves nothing.
  fs::path temporary = target;
  temporary += ".new";
  if (!WriteNew(temporary, bytes)) return false;
  std::error_code ec;
  fs::create_hard_link(temporary, target, ec);
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return !ec;
}

}  // namespace quorn
