// Folder listings for case-insensitive lookups, kept current by inotify.
#include "platform/win32/folder_cache.h"

#include <sys/inotify.h>
#include <sys/statfs.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/win32/host.h"
#include "platform/win32/paths.h"

namespace win32::detail {
namespace {

// File systems whose every change passes through this kernel, so inotify reports it. On
// network, FUSE and overlay file systems a change can arrive unannounced.
bool watched_completely(const std::string& folder) {
  struct statfs info {};
  if (host().statfs(folder.c_str(), &info) != 0) return false;
  switch (static_cast<std::uint32_t>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0x01021994:  // tmpfs
    case 0xF2F52010:  // f2fs
    case 0xCA451A4E:  // bcachefs
    case 0x4D44:      // vfat
    case 0x2011BAB0:  // exfat
      return true;
    default:
      return false;
  }
}

// AnsiSameText holds exactly when the upper-case forms are equal: every upper-case letter
// of Windows-1252 is itself in Windows-1252.
AnsiString key_of(const std::string& host_name) { return rtl::AnsiUpperCase(windows_name_of(host_name)); }

std::optional<std::string> first_match(const std::string& folder, const AnsiString& name) {
  std::vector<std::string> entries;
  if (host().list_directory(folder.c_str(), entries) != 0) return std::nullopt;
  for (const std::string& entry : entries)
    if (rtl::AnsiSameText(windows_name_of(entry), name)) return entry;
  return std::nullopt;
}

constexpr std::uint32_t kWatchMask =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_ONLYDIR;

struct Listing {
  dev_t dev;
  ino_t ino;
  int wd;
  std::string path;  // where it was listed; the folder may have moved since
  std::shared_ptr<const HostFd> handle;  // the folder itself, wherever it is now
  std::unordered_map<AnsiString, std::vector<std::string>> names;  // by key_of

  void add(const std::string& name) {
    auto& same = names[key_of(name)];
    for (const std::string& known : same)
      if (known == name) return;
    same.push_back(name);
  }
  void remove(const std::string& name) {
    const auto it = names.find(key_of(name));
    if (it == names.end()) return;
    std::erase(it->second, name);
    if (it->second.empty()) names.erase(it);
  }
};

class FolderCache {
 public:
  std::optional<std::string> find(const std::string& folder, const struct stat& info, const AnsiString& name,
                                  std::shared_ptr<const HostFd>* handle) {
    std::lock_guard lock(mutex_);
    // Events first: a listing is only trusted with every change made before this call in it.
    catch_up();
    // The listing in use goes first, so the least recently used one is dropped when full.
    if (const auto kept = find_listing(info); kept != listings_.end())
      listings_.splice(listings_.begin(), listings_, kept);
    else if (!add_listing(folder, info))
      return first_match(folder, name);
    const Listing& listing = listings_.front();
    if (handle) *handle = listing.handle;
    const auto it = listing.names.find(rtl::AnsiUpperCase(name));
    if (it == listing.names.end()) return std::nullopt;
    if (it->second.size() > 1) {
      // Several names that differ only in case: the exact one wins, else the folder's own
      // order decides, as in Wine.
      const std::string exact = rtl::ansi_to_utf8(name);
      for (const std::string& known : it->second)
        if (known == exact) return known;
      return first_match(folder, name);
    }
    return it->second.front();
  }

  bool listed_under(const std::string& folder) {
    std::lock_guard lock(mutex_);
    for (const Listing& listing : listings_)
      if (listing.path == folder) return true;
    return false;
  }

  void forget() {
    std::lock_guard lock(mutex_);
    listings_.clear();
    if (fd_ >= 0) host().close(fd_);
    fd_ = -1;
    unusable_ = false;
  }

 private:
  static constexpr std::size_t kMaxListings = 64;

  std::list<Listing>::iterator find_listing(const struct stat& info) {
    return std::find_if(listings_.begin(), listings_.end(), [&](const Listing& listing) {
      return listing.dev == info.st_dev && listing.ino == info.st_ino;
    });
  }

  // A new listing of `folder`, put first, or nullptr when none can be kept.
  Listing* add_listing(const std::string& folder, const struct stat& info) {
    if (unusable_ || !watched_completely(folder)) return nullptr;
    if (fd_ < 0) {
      fd_ = host().inotify_init();
      if (fd_ < 0) {
        unusable_ = true;  // no more instances for this user: list every time
        return nullptr;
      }
    }
    // The watch comes before the listing, so whatever changes while it is read arrives as
    // events afterwards and is applied on top.
    const int wd = host().inotify_add_watch(fd_, folder.c_str(), kWatchMask);
    if (wd < 0) return nullptr;
    for (const Listing& listing : listings_)
      if (listing.wd == wd) return nullptr;  // the path now leads to a folder already kept
    auto handle = std::make_shared<HostFd>(host().open_folder(folder.c_str()));
    std::vector<std::string> entries;
    struct stat now {};
    if (!*handle || host().list_directory(folder.c_str(), entries) != 0 || host().fstat(handle->get(), &now) != 0 ||
        now.st_dev != info.st_dev || now.st_ino != info.st_ino) {
      host().inotify_rm_watch(fd_, wd);
      return nullptr;
    }
    if (listings_.size() >= kMaxListings) drop(std::prev(listings_.end()), true);
    Listing& listing =
        listings_.emplace_front(Listing{info.st_dev, info.st_ino, wd, folder, std::move(handle), {}});
    for (const std::string& entry : entries) listing.add(entry);
    return &listing;
  }

  void drop(std::list<Listing>::iterator it, bool remove_watch) {
    if (remove_watch) host().inotify_rm_watch(fd_, it->wd);
    listings_.erase(it);
  }

  void drop_all() {
    while (!listings_.empty()) drop(listings_.begin(), true);
  }

  void catch_up() {
    if (fd_ < 0 || listings_.empty()) return;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
      const ssize_t n = host().inotify_read(fd_, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        // Anything but an empty queue leaves the listings unconfirmed.
        if (n == 0 || errno != EAGAIN) drop_all();
        return;
      }
      for (ssize_t at = 0; at < n;) {
        inotify_event event;
        std::memcpy(&event, buffer + at, sizeof event);
        const char* name = buffer + at + sizeof event;
        at += static_cast<ssize_t>(sizeof event + event.len);
        apply(event, event.len ? std::string(name) : std::string());
      }
      // Room left for the longest event means the queue was empty when it was read.
      if (static_cast<std::size_t>(n) + sizeof(inotify_event) + NAME_MAX + 1 <= sizeof buffer) return;
    }
  }

  void apply(const inotify_event& event, const std::string& name) {
    if (event.mask & IN_Q_OVERFLOW) {
      drop_all();
      return;
    }
    auto it = listings_.begin();
    while (it != listings_.end() && it->wd != event.wd) ++it;
    if (it == listings_.end()) return;
    if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_UNMOUNT)) {
      drop(it, !(event.mask & IN_IGNORED));
    } else if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
      it->add(name);
    } else if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
      it->remove(name);
    }
  }

  std::mutex mutex_;
  int fd_ = -1;
  bool unusable_ = false;
  std::list<Listing> listings_;  // most recently used first
};

FolderCache& cache() {
  static FolderCache instance;
  return instance;
}

}  // namespace

std::optional<std::string> find_case_insensitive(const std::string& folder, const struct stat& info,
                                                 const AnsiString& name, std::shared_ptr<const HostFd>* handle) {
  return cache().find(folder, info, name, handle);
}

bool has_folder_listing(const std::string& folder) { return cache().listed_under(folder); }

void forget_folder_listings() { cache().forget(); }

}  // namespace win32::detail
