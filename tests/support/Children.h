#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

namespace pulmora::test {

// The child of that type and object name, found at any depth below `parent`: how tests reach a
// window's own controls. Never null: a test that asks for one that is not there fails at once.
template <class Child>
Child* childNamed(const QObject& parent, const QString& name) {
    auto* child = parent.findChild<Child*>(name);
    if (!child) throw std::logic_error("no child named " + name.toStdString());
    return child;
}

}  // namespace pulmora::test
