// The built-in catalogue of the five receiver applications and its look-ups.
#pragma once

class ProductRecord;
class ProductRecordList;
class String;

// Appends the five records, in catalogue order, to records.
void buildCatalogue(ProductRecordList& records);
// The record with this id (the last match wins), or null.
ProductRecord* findProductById(const ProductRecordList& records, int id);
// The record whose model code equals modelCode byte for byte, case-sensitive
// (the last match wins), or null.
ProductRecord* findProductByModelCode(const ProductRecordList& records, const String& modelCode);
