// The generic operations: one entry point per operation for values of every type. Each
// dispatches on the type of its first argument; a type that does not take part reports
// "Bad type for argument 1 of SIGNATURE." and the operation returns its fallback.
#pragma once

#include <string_view>

#include "values/handle.h"

// A string of the plain texts of a and b when either is a string; else nil.
tqvHandle tqvAdd(const tqvHandle& a, const tqvHandle& b);
// Length of a string or buffer, items of a list, entries of a table; other types answer
// through their own objects (streams, movies, archives, indexes). Fallback 0.
TQVINT tqvCount(const tqvHandle& collection);
// Substring or character search in a string, equal item in a list; -1 when absent.
TQVINT tqvIndexOf(const tqvHandle& s, const tqvHandle& what, TQVINT start = 0);
// List: 0 (-1 when empty); table: first occupied slot (-1 when none).
TQVINT tqvFirstIndex(const tqvHandle& collection);
// List: i + 1 while below the count; table: next occupied slot; -1 at the end.
TQVINT tqvNextIndex(const tqvHandle& collection, TQVINT i);
TQVINT tqvCapacity(const tqvHandle& collection);

// Substrings and sublists. A negative n counts from the end (n + count) and is empty when
// still negative.
tqvHandle tqvLeft(const tqvHandle& s, TQVINT n);
tqvHandle tqvRight(const tqvHandle& s, TQVINT n);
tqvHandle tqvMid(const tqvHandle& s, TQVINT start, TQVINT count);

// Item i of a list, value in slot i of a table, or what other collections answer.
tqvHandle tqvGet(const tqvHandle& collection, TQVINT i);
// Value stored under key in a table, control, form or index.
tqvHandle tqvGet(const tqvHandle& container, const tqvHandle& key);
tqvHandle tqvGet(const tqvHandle& container, std::string_view key);

bool tqvGetChars(const tqvHandle& s, char* array, TQVINT size);
// Splits at any of the delimiter characters; consecutive delimiters give empty strings.
tqvHandle tqvTokenize(const tqvHandle& s, const tqvHandle& delimiters);

void tqvPut(const tqvHandle& list, TQVINT n, const tqvHandle& value);
void tqvPut(const tqvHandle& container, const tqvHandle& key, const tqvHandle& value);
void tqvPut(const tqvHandle& container, std::string_view key, const tqvHandle& value);
tqvHandle tqvGetKey(const tqvHandle& table, TQVINT i);
void tqvRemoveKey(const tqvHandle& container, const tqvHandle& key);
bool tqvContainsKey(const tqvHandle& container, const tqvHandle& key);
bool tqvContainsKey(const tqvHandle& container, std::string_view key);
void tqvAddItem(const tqvHandle& list, const tqvHandle& value, TQVINT times = 1);

// Deep copy of strings, buffers, lists, tables and regions; immediates by value; fonts,
// images, sounds, movies and references shared.
tqvHandle tqvCopy(const tqvHandle& value);

// Geometry queries of regions and of what other values answer (controls, forms, movies,
// images, text layouts).
TQVINT tqvLeft(const tqvHandle& h);
TQVINT tqvTop(const tqvHandle& h);
TQVINT tqvWidth(const tqvHandle& h);
TQVINT tqvHeight(const tqvHandle& h);
bool tqvContainsPoint(const tqvHandle& region, TQVINT x, TQVINT y);

// Media forwarders to sounds and movies (through references).
TQVINT tqvPlay(const tqvHandle& media, TQVINT from = -1, TQVINT to = -1, TQVBOOL wait = 0);
TQVINT tqvStop(const tqvHandle& media);
TQVINT tqvIsPlaying(const tqvHandle& media);
TQVINT tqvShow(const tqvHandle& movie);
TQVINT tqvHide(const tqvHandle& movie);
TQVINT tqvMove(const tqvHandle& movie, TQVINT x, TQVINT y);
TQVINT tqvSetSize(const tqvHandle& movie, TQVINT width, TQVINT height);

// Follows resource references to their target (at most a few levels, so a reference that
// leads back to itself ends).
tqvHandle tqvDereference(const tqvHandle& h);
