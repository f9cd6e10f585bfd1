// Case-folded directory listings, kept while the directory's stat shows no change.
#include "platform/directory_listings.h"

#include <dirent.h>
#include <time.h>

#include <cctype>
#include <mutex>
#include <unordered_map>

namespace tqvPlatform {
namespace {

// More than the coarsest timestamp of a file system the content may sit on (two seconds
// on FAT): a listing read this long after the directory's last change cannot share its
// modification time with a later change.
constexpr time_t kSettleSeconds = 3;
// The program reads a handful of directories; past this many something walks many more,
// and the listings start over rather than grow.
constexpr size_t kMostListings = 64;

struct Listing {
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified{};
  timespec changed{};
  bool settled = false;
  std::unordered_map<std::string, std::string> names;  // folded name -> first entry with it
};

struct Listings {
  std::mutex mutex;  // movie decoding opens files on its own threads
  std::unordered_map<std::string, Listing> byDirectory;
};

// Never destroyed: files may still be written while static objects are torn down.
Listings& listings() {
  static Listings* all = new Listings;
  return *all;
}

bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool stillCurrent(const Listing& listing, const struct stat& info) {
  return listing.settled && listing.device == info.st_dev && listing.inode == info.st_ino &&
         sameTime(listing.modified, info.st_mtim) && sameTime(listing.changed, info.st_ctim);
}

// One spelling per directory: "a/b/" and "a/b" are the same listing.
std::string keyOf(const std::string& directory) {
  size_t end = directory.find_last_not_of('/');
  if (end == std::string::npos) return directory.empty() ? "" : "/";
  return directory.substr(0, end + 1);
}

bool readEntries(const std::string& directory, Listing& listing) {
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return false;
  while (dirent* entry = ::readdir(dir))
    listing.names.emplace(foldCase(entry->d_name), entry->d_name);
  ::closedir(dir);
  return true;
}

}  // namespace

std::string foldCase(std::string_view name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); ++i) {
    auto c = static_cast<unsigned char>(folded[i]);
    if (c < 0x80) {
      folded[i] = static_cast<char>(std::tolower(c));
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

std::string findIgnoringCase(const std::string& directory, const struct stat& info,
                             std::string_view name) {
  std::string key = keyOf(directory);
  Listings& all = listings();
  std::lock_guard<std::mutex> lock(all.mutex);
  auto kept = all.byDirectory.find(key);
  if (kept == all.byDirectory.end() || !stillCurrent(kept->second, info)) {
    // The clock is read before the entries, so that "settled" errs towards reading again.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    Listing fresh;
    fresh.device = info.st_dev;
    fresh.inode = info.st_ino;
    fresh.modified = info.st_mtim;
    fresh.changed = info.st_ctim;
    fresh.settled = now.tv_sec - kSettleSeconds > info.st_mtim.tv_sec;
    if (!readEntries(directory, fresh)) {
      if (kept != all.byDirectory.end()) all.byDirectory.erase(kept);
      return {};
    }
    if (kept == all.byDirectory.end() && all.byDirectory.size() >= kMostListings)
      all.byDirectory.clear();
    kept = all.byDirectory.insert_or_assign(key, std::move(fresh)).first;
  }
  auto found = kept->second.names.find(foldCase(name));
  return found == kept->second.names.end() ? std::string() : found->second;
}

std::string findIgnoringCase(const std::string& directory, std::string_view name) {
  struct stat info;
  if (::stat(directory.empty() ? "." : directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return {};
  return findIgnoringCase(directory, info, name);
}

void forgetListingOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string directory = slash == std::string::npos ? "" : path.substr(0, slash == 0 ? 1 : slash);
  // By inode as well as by name: the same directory may have been listed under another
  // spelling of its path.
  struct stat info;
  bool known = ::stat(directory.empty() ? "." : directory.c_str(), &info) == 0;
  std::string key = keyOf(directory);
  Listings& all = listings();
  std::lock_guard<std::mutex> lock(all.mutex);
  std::erase_if(all.byDirectory, [&](const auto& kept) {
    return kept.first == key ||
           (known && kept.second.device == info.st_dev && kept.second.inode == info.st_ino);
  });
}

}  // namespace tqvPlatform
