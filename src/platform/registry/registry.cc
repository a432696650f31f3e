#include "platform/registry/registry.h"

#include <map>
#include <set>

#include "platform/registry/name_compare.h"
#include "platform/registry/thirty_two_bit_view.h"

namespace qv::registry {

Registry::Registry(std::string storeDir, std::shared_ptr<const HiveSource> machineHive,
                   std::shared_ptr<const HiveSource> userHive, std::string userSid,
                   std::shared_ptr<const HiveSource> usersHive)
    : m_userSid(std::move(userSid)) {
  m_machine.store = std::make_unique<StoreFile>(storeDir + "/system.reg", "\\Machine");
  m_machine.base = std::move(machineHive);
  m_user.store = std::make_unique<StoreFile>(storeDir + "/user.reg", "\\User\\" + m_userSid);
  m_user.base = std::move(userHive);
  m_users.store = std::make_unique<StoreFile>(storeDir + "/users.reg", "\\User");
  m_users.base = usersHive ? std::move(usersHive) : std::make_shared<const Hive>();
}

StoreFile& Registry::StoreOf(Root root) {
  if (root == Root::kLocalMachine) return *m_machine.store;
  if (root == Root::kUsers) return *m_users.store;
  return *m_user.store;
}

std::vector<Registry::Location> Registry::Locate(const std::string& key) {
  KeyPath kp = ParseKeyPath(key);
  switch (kp.root) {
    case Root::kLocalMachine:
      return {{&m_machine, kp.path}};
    case Root::kCurrentUser:
      return {{&m_user, kp.path}};
    case Root::kClassesRoot:
      return {{&m_user, JoinKeyPath("Software\\Classes", kp.path)},
              {&m_machine, JoinKeyPath("Software\\Classes", kp.path)}};
    case Root::kUsers: {
      size_t slash = kp.path.find('\\');
      std::string first = kp.path.substr(0, slash);
      if (!m_userSid.empty() && SameName(first, m_userSid)) {
        return {{&m_user, slash == std::string::npos ? "" : kp.path.substr(slash + 1)}};
      }
      return {{&m_users, kp.path}};
    }
  }
  return {};
}

bool Registry::Visible(Layer& layer, const std::string& path, const std::string& name,
                       Value* value) {
  if (const Value* v = layer.store->Current().FindValue(path, name)) {
    if (v->tombstone) return false;
    *value = *v;
    return true;
  }
  return layer.base->ReadValue(path, name, value) && !value->tombstone;
}

Status Registry::GetValue(const std::string& key, const std::string& name, Value* value) {
  for (const Location& loc : Locate(key)) {
    // The folder values a 32-bit program reads come from the machine's 32-bit view.
    const std::string path =
        loc.layer == &m_machine ? ViewPathOf(*m_machine.base, loc.path, name) : loc.path;
    if (Visible(*loc.layer, path, name, value)) return Status::Ok();
  }
  return Status::NotFound(key + ": no value \"" + name + "\"");
}

Status Registry::SetValue(const std::string& key, const std::string& name, const Value& value) {
  std::vector<Location> locs = Locate(key);
  if (locs.empty()) return Status::InvalidArgument(key + ": not a key path");
  // A class key that the user has of its own is written there, else for the machine.
  Location target = locs.back();
  if (locs.size() > 1) {
    const Location& user = locs.front();
    if (user.layer->store->Current().KeyExists(user.path) ||
        user.layer->base->KeyExists(user.path)) {
      target = user;
    }
  } else {
    target = locs.front();
  }
  Value copy = value;
  copy.tombstone = false;
  return target.layer->store->Update([&](Hive* hive) { hive->SetValue(target.path, name, copy); });
}

Status Registry::DeleteValue(const std::string& key, const std::string& name) {
  for (const Location& loc : Locate(key)) {
    Value shown;
    if (!Visible(*loc.layer, loc.path, name, &shown)) continue;
    Value lower;
    bool below = loc.layer->base->ReadValue(loc.path, name, &lower);
    return loc.layer->store->Update([&](Hive* hive) {
      if (below) {
        hive->SetValue(loc.path, name, Value::Tombstone());
      } else {
        hive->RemoveValue(loc.path, name);
      }
    });
  }
  return Status::NotFound(key + ": no value \"" + name + "\"");
}

bool Registry::KeyExists(const std::string& key) {
  for (const Location& loc : Locate(key)) {
    if (loc.layer->store->Current().KeyExists(loc.path) || loc.layer->base->KeyExists(loc.path)) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> Registry::SubkeyNames(const std::string& key) {
  std::vector<std::vector<std::string>> lists;
  for (const Location& loc : Locate(key)) {
    for (const HiveSource* hive :
         {static_cast<const HiveSource*>(&loc.layer->store->Current()), loc.layer->base.get()}) {
      std::vector<std::string> names = hive->SubkeyNames(loc.path);
      if (!names.empty()) lists.push_back(std::move(names));
    }
  }
  // A key that one hive alone holds (the installer's keys of a machine, say, with their many
  // subkeys) needs no merging.
  if (lists.size() == 1) return std::move(lists.front());
  std::map<std::string, std::string> names;
  for (std::vector<std::string>& list : lists) {
    for (std::string& n : list) names.try_emplace(FoldName(n), std::move(n));
  }
  std::vector<std::string> out;
  out.reserve(names.size());
  for (auto& [folded, name] : names) out.push_back(std::move(name));
  return out;
}

std::vector<NamedValue> Registry::Values(const std::string& key) {
  std::vector<NamedValue> out;
  std::set<std::string> taken;
  for (const Location& loc : Locate(key)) {
    // The store's values replace the hive's in place and add after them.
    Key layer;
    for (NamedValue& v : loc.layer->base->Values(loc.path)) layer.Set(v.first, std::move(v.second));
    for (NamedValue& v : loc.layer->store->Current().Values(loc.path)) {
      layer.Set(v.first, std::move(v.second));
    }
    for (const NamedValue& v : layer.values()) {
      if (v.second.tombstone) continue;
      if (taken.insert(FoldName(v.first)).second) out.push_back(v);
    }
  }
  return out;
}

std::vector<std::string> Registry::ValueNames(const std::string& key) {
  std::vector<std::string> names;
  for (NamedValue& v : Values(key)) names.push_back(std::move(v.first));
  return names;
}

}  // namespace qv::registry
