// The toolkit's component: an owner frees what it owns, last created first; components have
// names, tell each other when they are freed, and carry the loading and destroying states.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;

enum class TOperation { Insert, Remove };
using TNotifyEvent = std::function<void(TComponent* sender)>;

// Component states.
enum : std::uint32_t {
  csLoading = 1,     // being built from its description
  csDestroying = 2,  // its destruction has begun
};

class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual std::string ClassName() const { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  std::uint32_t ComponentState() const { return state_; }
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }
  void SetLoading(bool on);
  // Marks this component and everything it owns as being destroyed.
  void MarkDestroying();

  // The owned components in order of insertion.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;

  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);
  // Frees every owned component, the last inserted first.
  void DestroyComponents();

  // c is told through Notification(this, Remove) when this component is freed, and the other
  // way round.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

 protected:
  // An owned component was inserted or removed, or a component this one watches is freed.
  virtual void Notification(TComponent* c, TOperation op);

 private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);

  TComponent* owner_ = nullptr;
  std::string name_;
  std::uint32_t state_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
};
