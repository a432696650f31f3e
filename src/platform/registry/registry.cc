#include "platform/registry/registry.h"

#include <map>

#include "platform/registry/name_compare.h"

namespace qv::registry {

Registry::Registry(std::string storeDir, std::shared_ptr<const Hive> machineHive,
                   std::shared_ptr<const Hive> userHive, std::string userSid)
    : m_userSid(std::move(userSid)) {
  m_machine.store = std::make_unique<StoreFile>(storeDir + "/system.reg", "\\Machine");
  m_machine.base = std::move(machineHive);
  m_user.store = std::make_unique<StoreFile>(storeDir + "/user.reg", "\\User\\" + m_userSid);
  m_user.base = std::move(userHive);
  m_users.store = std::make_unique<StoreFile>(storeDir + "/users.reg", "\\User");
  m_users.base = std::make_shared<const Hive>();
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

const Value* Registry::Visible(Layer& layer, const std::string& path, const std::string& name,
                               bool* hidden) {
  *hidden = false;
  if (const Value* v = layer.store->Current().FindValue(path, name)) {
    if (v->tombstone) {
      *hidden = true;
      return nullptr;
    }
    return v;
  }
  return layer.base->FindValue(path, name);
}

Status Registry::GetValue(const std::string& key, const std::string& name, Value* value) {
  for (const Location& loc : Locate(key)) {
    bool hidden = false;
    if (const Value* v = Visible(*loc.layer, loc.path, name, &hidden)) {
      *value = *v;
      return Status::Ok();
    }
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
    bool hidden = false;
    if (Visible(*loc.layer, loc.path, name, &hidden) == nullptr) continue;
    bool below = loc.layer->base->FindValue(loc.path, name) != nullptr;
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
  std::map<std::string, std::string> names;
  for (const Location& loc : Locate(key)) {
    for (const Hive* hive : {&loc.layer->store->Current(), loc.layer->base.get()}) {
      for (std::string& n : hive->SubkeyNames(loc.path)) names.try_emplace(FoldName(n), n);
    }
  }
  std::vector<std::string> out;
  for (auto& [folded, name] : names) out.push_back(std::move(name));
  return out;
}

std::vector<std::string> Registry::ValueNames(const std::string& key) {
  std::map<std::string, std::string> names;
  for (const Location& loc : Locate(key)) {
    for (const Hive* hive : {&loc.layer->store->Current(), loc.layer->base.get()}) {
      const Key* k = hive->FindKey(loc.path);
      if (k == nullptr) continue;
      for (const auto& [folded, entry] : k->values) names.try_emplace(folded, entry.first);
    }
  }
  std::vector<std::string> out;
  for (auto& [folded, name] : names) {
    Value v;
    if (GetValue(key, name, &v).ok()) out.push_back(std::move(name));
  }
  return out;
}

}  // namespace qv::registry
