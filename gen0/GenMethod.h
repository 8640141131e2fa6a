// A procedure bound to an object, so that a window can put itself behind a process-wide hook
// and the base library can put its own default object back.
#pragma once

template <class Sig>
struct TMethod;

template <class R, class... A>
struct TMethod<R(A...)> {
  using Code = R (*)(void* self, A...);

  Code Proc = nullptr;
  void* Self = nullptr;

  // Binds member M of obj; the thunk is the only place that knows the object's class.
  template <auto M, class T>
  static TMethod Bind(T* obj) {
    return {[](void* self, A... args) -> R { return (static_cast<T*>(self)->*M)(args...); }, obj};
  }

  explicit operator bool() const { return Proc != nullptr; }
  R operator()(A... args) const { return Proc(Self, args...); }
};
