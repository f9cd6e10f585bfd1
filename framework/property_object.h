// The base of forms and controls: a property table (the definition, shared, not copied)
// read and written through has, get, put and remove key, printed in the notation as
// "(form " or "(control " followed by its entries, encoded as the table, and answering
// the generic table operations.
#pragma once

#include <string>
#include <string_view>

#include "framework/class_registry.h"
#include "storage/codecs.h"
#include "values/handle.h"

class tqvPropertyObject : public tqvClassObject, public tqvEncodable {
 public:
  // `definition` becomes the properties; nil or a value that is not a table gives an
  // empty table.
  explicit tqvPropertyObject(const tqvHandle& definition);
  ~tqvPropertyObject() override;

  void print(std::string& out, TQVINT type, bool notation) const override;
  void encodePayload(const tqvHandle& stream) const override;

  virtual bool has(const tqvHandle& key);
  virtual tqvHandle get(const tqvHandle& key);
  virtual void put(const tqvHandle& key, const tqvHandle& value);
  virtual void removeKey(const tqvHandle& key);

  const tqvHandle& properties() const { return properties_; }
  // Shorthands with string keys.
  tqvHandle property(std::string_view key) { return get(keyOf(key)); }
  void setProperty(std::string_view key, const tqvHandle& value) { put(keyOf(key), value); }

  bool opGetKey(const tqvHandle& key, tqvHandle& result) override;
  bool opPutKey(const tqvHandle& key, const tqvHandle& value) override;
  bool opRemoveKey(const tqvHandle& key) override;
  bool opContainsKey(const tqvHandle& key, bool& result) override;
  bool opGeometry(tqvGeometry which, TQVINT& result) override;

 protected:
  static tqvHandle keyOf(std::string_view key);
  // The word the notation prints first: "form" or "control".
  virtual std::string_view printedKind() const = 0;
  // Left, top, width or height, for the generic geometry operations.
  virtual TQVINT geometry(tqvGeometry which) = 0;

 private:
  tqvHandle properties_;
};

// Encodes the property table of a control or form. Controls and forms nested in one
// another deeper than a fixed limit (a control list that holds itself) report "Cannot
// encode controls and forms nested deeper than " and the limit, and encode nil instead.
void tqvEncodeNested(const tqvHandle& stream, const tqvHandle& properties);
