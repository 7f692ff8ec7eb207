// The engine-wide objects that exist once: created on first access, deleted by the engine's shutdown.
#pragma once

namespace ZELM {

template <typename T>
class Singleton {
public:
    // The object, created on first access.
    static T& Instance() {
        if (instance == nullptr) {
            instance = new T();
        }
        return *instance;
    }
    // Deletes the object; the next access creates a fresh one.
    static void DestroyInstance() {
        delete instance;
        instance = nullptr;
    }

private:
    inline static T* instance = nullptr;
};

}  // namespace ZELM
