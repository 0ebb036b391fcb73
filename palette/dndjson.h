#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>

// The JSON text of the chip drag record. Written in one fixed form, so that the record a
// widget packs is the same byte for byte on every run: members in ascending key order,
// "{ a : b, c : d }" spacing, and only the characters that JSON cannot carry raw escaped.
namespace Sorven::DndJson {

// Maps become objects, lists arrays; strings, booleans, integers and doubles are written as
// such, anything else (an invalid variant among them) as null. UTF-8.
QByteArray write(const QVariant &value);

// Objects become QVariantMap, arrays QVariantList, strings QString, numbers qint64 (with a
// leading minus), quint64 or double (with ".", "e" or "E"), null an invalid QVariant.
// Nothing when the text is not one complete value.
std::optional<QVariant> read(const QByteArray &utf8);

} // namespace Sorven::DndJson
