#include "skin/skin_messages.h"

#include <algorithm>
#include <utility>

namespace vx {

namespace {
struct Registry {
  int nextCookie = 1;
  std::vector<std::pair<int, std::shared_ptr<const TvxSkinMessageReceiver>>> receivers;
};
Registry& TheRegistry() {
  static Registry registry;
  return registry;
}
}  // namespace

int TvxSkinMessageReceivers::Add(TvxSkinMessageReceiver receiver) {
  Registry& r = TheRegistry();
  const int cookie = r.nextCookie++;
  r.receivers.emplace_back(cookie, std::make_shared<const TvxSkinMessageReceiver>(std::move(receiver)));
  return cookie;
}

void TvxSkinMessageReceivers::Remove(int cookie) {
  auto& list = TheRegistry().receivers;
  std::erase_if(list, [cookie](const auto& entry) { return entry.first == cookie; });
}

std::vector<int> TvxSkinMessageReceivers::Cookies() {
  std::vector<int> cookies;
  for (const auto& entry : TheRegistry().receivers) cookies.push_back(entry.first);
  return cookies;
}

std::shared_ptr<const TvxSkinMessageReceiver> TvxSkinMessageReceivers::Find(int cookie) {
  for (const auto& entry : TheRegistry().receivers)
    if (entry.first == cookie) return entry.second;
  return nullptr;
}

}  // namespace vx
