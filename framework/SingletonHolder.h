#pragma once
// One holder for every process-wide object: built on first use, destroyed at process end.

template <typename T> class SingletonHolder {
public:
    static T& Instance() {
        static T instance;
        return instance;
    }
    SingletonHolder() = delete;
};
