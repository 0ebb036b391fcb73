#pragma once

#include <QColor>
#include <QUuid>

// Small collections with scheme tables of every kind, shared by the harmonizer tests:
// Mosaic (chip to chip, 4 chips a row), Ledger (chip to card, 3 a row), Deck (card to card),
// Plain (no schemes of its own) and Kiln (powder coatings). Pages count from 1, and a page's
// chips lie in its own segment unless said otherwise.
namespace SchemeFixture {

inline const QUuid Mosaic {QStringLiteral("{11111111-2222-4333-8444-555555555501}")};
inline const QUuid Ledger {QStringLiteral("{11111111-2222-4333-8444-555555555502}")};
inline const QUuid Deck {QStringLiteral("{11111111-2222-4333-8444-555555555503}")};
inline const QUuid Plain {QStringLiteral("{11111111-2222-4333-8444-555555555504}")};
inline const QUuid Kiln {QStringLiteral("{11111111-2222-4333-8444-555555555505}")};

// Every chip of the fixture has a colour of its own.
QColor chipColor(const QUuid &collection, int page, int row);

// Writes the file into the test's collection folder, with real L*a*b* values for every chip.
void write();

} // namespace SchemeFixture
