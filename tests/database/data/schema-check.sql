-- Metadata of a collection, for comparing a created database with the expected schema.
-- Each query is one statement, and results are ordered so two runs can be compared line by line.

-- Tables and views of the user (system relations excluded), with their column counts.
select trim(r.RDB$RELATION_NAME) as RELATION_NAME,
       iif(r.RDB$VIEW_BLR is null, 'TABLE', 'VIEW') as KIND,
       (select count(*) from RDB$RELATION_FIELDS f where f.RDB$RELATION_NAME = r.RDB$RELATION_NAME) as COLUMN_COUNT
from RDB$RELATIONS r
where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0
order by 1;

-- Every column in position order, with its type, length in characters, blob sub-type and nullability.
select trim(rf.RDB$RELATION_NAME) as RELATION_NAME,
       rf.RDB$FIELD_POSITION as POS,
       trim(rf.RDB$FIELD_NAME) as FIELD_NAME,
       case f.RDB$FIELD_TYPE
           when 7 then 'smallint'
           when 8 then 'integer'
           when 10 then 'float'
           when 12 then 'date'
           when 27 then 'double precision'
           when 35 then 'timestamp'
           when 37 then 'varchar(' || f.RDB$CHARACTER_LENGTH || ')'
           when 261 then 'blob sub_type ' || f.RDB$FIELD_SUB_TYPE
           else 'type ' || f.RDB$FIELD_TYPE
       end as FIELD_TYPE,
       iif(coalesce(rf.RDB$NULL_FLAG, 0) = 1, 'NOT NULL', '') as NULLABILITY
from RDB$RELATION_FIELDS rf
join RDB$RELATIONS r on r.RDB$RELATION_NAME = rf.RDB$RELATION_NAME
join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE
where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0 and r.RDB$VIEW_BLR is null
order by 1, 2;

-- Character set of the text columns and text blobs (UTF8 expected throughout).
select distinct trim(cs.RDB$CHARACTER_SET_NAME) as CHARACTER_SET
from RDB$RELATION_FIELDS rf
join RDB$RELATIONS r on r.RDB$RELATION_NAME = rf.RDB$RELATION_NAME
join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE
join RDB$CHARACTER_SETS cs on cs.RDB$CHARACTER_SET_ID = f.RDB$CHARACTER_SET_ID
where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0 and r.RDB$VIEW_BLR is null
  and (f.RDB$FIELD_TYPE = 37 or (f.RDB$FIELD_TYPE = 261 and f.RDB$FIELD_SUB_TYPE = 1));

-- Every index: one row per key column, in segment order, with its table and uniqueness.
select trim(i.RDB$RELATION_NAME) as RELATION_NAME,
       trim(i.RDB$INDEX_NAME) as INDEX_NAME,
       iif(coalesce(i.RDB$UNIQUE_FLAG, 0) = 1, 'UNIQUE', '') as UNIQUENESS,
       s.RDB$FIELD_POSITION as SEGMENT,
       trim(s.RDB$FIELD_NAME) as FIELD_NAME
from RDB$INDICES i
join RDB$INDEX_SEGMENTS s on s.RDB$INDEX_NAME = i.RDB$INDEX_NAME
where coalesce(i.RDB$SYSTEM_FLAG, 0) = 0
order by 1, 2, 4;

-- Nothing beyond tables, indexes and the view: no constraints, generators, triggers or procedures.
select 'CONSTRAINT' as KIND, trim(c.RDB$CONSTRAINT_NAME) as NAME
from RDB$RELATION_CONSTRAINTS c
join RDB$RELATIONS r on r.RDB$RELATION_NAME = c.RDB$RELATION_NAME
where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0 and c.RDB$CONSTRAINT_TYPE <> 'NOT NULL'
union all
select 'GENERATOR', trim(RDB$GENERATOR_NAME) from RDB$GENERATORS where coalesce(RDB$SYSTEM_FLAG, 0) = 0
union all
select 'TRIGGER', trim(RDB$TRIGGER_NAME) from RDB$TRIGGERS where coalesce(RDB$SYSTEM_FLAG, 0) = 0
union all
select 'PROCEDURE', trim(RDB$PROCEDURE_NAME) from RDB$PROCEDURES where coalesce(RDB$SYSTEM_FLAG, 0) = 0;

-- The view's columns in order.
select rf.RDB$FIELD_POSITION as POS, trim(rf.RDB$FIELD_NAME) as FIELD_NAME
from RDB$RELATION_FIELDS rf
where rf.RDB$RELATION_NAME = 'MOVIE_EXTENDED_VIEW'
order by 1;

-- The view must open on an empty or filled collection.
select count(*) as VIEW_ROWS from MOVIE_EXTENDED_VIEW;

-- Rows per table after the default data.
select 'ACTIONLIST' as TABLE_NAME, count(*) as ROWS_IN_TABLE from ACTIONLIST
union all select 'AUDIOFORMAT', count(*) from AUDIOFORMAT
union all select 'CERTIFICATIONLIST', count(*) from CERTIFICATIONLIST
union all select 'COUNTRYLIST', count(*) from COUNTRYLIST
union all select 'DB_INFO', count(*) from DB_INFO
union all select 'FILETYPES', count(*) from FILETYPES
union all select 'FORMATLIST', count(*) from FORMATLIST
union all select 'GENRELIST', count(*) from GENRELIST
union all select 'LANGUAGELIST', count(*) from LANGUAGELIST
union all select 'MEDIATYPE', count(*) from MEDIATYPE
union all select 'ROLE_', count(*) from ROLE_
union all select 'SORT_OMIT', count(*) from SORT_OMIT;

-- Lookup ids must run without gaps: first, last and count per list.
select 'COUNTRYLIST' as TABLE_NAME, min(COUNTRY_ID) as FIRST_ID, max(COUNTRY_ID) as LAST_ID, count(*) as ROWS_IN_TABLE
from COUNTRYLIST
union all select 'LANGUAGELIST', min(LANGUAGE_ID), max(LANGUAGE_ID), count(*) from LANGUAGELIST;

-- Spot checks of the rows whose text needs quoting or sits at the ends of the lists.
select COUNTRY_ID, NAME from COUNTRYLIST where COUNTRY_ID in (1, 60, 105, 260) order by COUNTRY_ID;
select LANGUAGE_ID, NAME from LANGUAGELIST where LANGUAGE_ID in (1, 13, 47) order by LANGUAGE_ID;
select VERSION, THUMBNAILSIZE from DB_INFO;
