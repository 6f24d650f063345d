#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ostrel {

// Objects of a class named in a property list of the resources, so that which loader the
// sound manager uses is a matter of configuration. C++ keeps no names of classes, so each
// class that may be named registers a maker under its name first.
//
// A missing property list, key or class is a fault of the program as shipped, not of the
// user's data, and stops the program.
class DynamicConfiguration {
public:
    template<class T>
    using Maker = std::function<std::unique_ptr<T>()>;

    template<class T>
    static void registerClass(const std::string& className, Maker<T> make)
    {
        classes<T>()[className] = std::move(make);
    }

    template<class T>
    static std::unique_ptr<T> newObjectForKey(const std::string& key, const std::string& propertyList)
    {
        return newObjectWithClassName<T>(classNameForKey(key, propertyList));
    }

    template<class T>
    static std::unique_ptr<T> newObjectWithClassName(const std::string& className)
    {
        auto found = classes<T>().find(className);
        if (found == classes<T>().end())
            classNotFound(className);
        return found->second();
    }

    // The text under `key` in the property list "<propertyList>.plist" of the resources.
    static std::string classNameForKey(const std::string& key, const std::string& propertyList);

private:
    template<class T>
    static std::map<std::string, Maker<T>>& classes()
    {
        static std::map<std::string, Maker<T>> classes;
        return classes;
    }

    [[noreturn]] static void classNotFound(const std::string& className);
};

}
