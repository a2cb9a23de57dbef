#include "database/Schema.h"

#include <cstddef>
#include <iterator>

namespace {

// Tables in name order, each followed by its key index. Keys of media, movies, persons, wish-list
// items and technical-data names are float columns, as in every existing collection: they hold whole
// numbers exactly only up to 16,777,216.
const char *const kTables = R"SQL(
create table ACTIONLIST (
    ACTION_ID integer not null,
    NAME varchar(25)
);
create unique index PK_ACTIONLIST on ACTIONLIST (ACTION_ID);

create table AUDIOFORMAT (
    AUDIOFORMAT_ID integer not null,
    NAME varchar(50)
);
create unique index PK_AUDIOFORMAT on AUDIOFORMAT (AUDIOFORMAT_ID);

create table CASTCREW (
    MOVIE_ID float not null,
    PERSON_ID float not null,
    ROLE_ID integer not null,
    LISTINDEX integer not null,
    CHARACTERNAME varchar(150),
    LEADROLE smallint
);
create unique index CASTCREW_IDX1 on CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID);

create table CERTIFICATIONLIST (
    CERTIFICATION_ID integer not null,
    NAME varchar(30),
    DESCRIPTION varchar(255)
);
create unique index PK_CERTIFICATIONLIST on CERTIFICATIONLIST (CERTIFICATION_ID);

create table COUNTRYLIST (
    COUNTRY_ID integer not null,
    NAME varchar(75)
);
create unique index PK_COUNTRYLIST on COUNTRYLIST (COUNTRY_ID);

create table COVER_TEMP (
    AUTOINDEX integer not null,
    TITLE varchar(100),
    SUBINFO varchar(100),
    PRODUCTIONYEAR varchar(4),
    FRONTCOVER_URL varchar(255),
    FRONTCOVER_BLOB blob sub_type -2
);
create unique index PK_COVER_TEMP on COVER_TEMP (AUTOINDEX);

create table DB_INFO (
    VERSION integer,
    THUMBNAILSIZE integer
);

create table FEATURES (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    NAME varchar(125)
);
create unique index PK_FEATURES on FEATURES (MOVIE_ID, AUTOINDEX);

create table FILETYPES (
    FILETYPE_ID integer not null,
    NAME varchar(6)
);
create unique index PK_FILETYPES on FILETYPES (FILETYPE_ID);

create table FILMINGLOCATION (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    NAME varchar(150)
);
create unique index PK_FILMINGLOCATION on FILMINGLOCATION (MOVIE_ID, AUTOINDEX);

create table FORMAT (
    MOVIE_ID float not null,
    FORMAT_ID integer not null
);
create unique index PK_FORMAT on FORMAT (MOVIE_ID, FORMAT_ID);

create table FORMATLIST (
    FORMAT_ID integer not null,
    NAME varchar(35),
    DESCRIPTION varchar(255)
);
create unique index PK_FORMATLIST on FORMATLIST (FORMAT_ID);

create table GENRE (
    MOVIE_ID float not null,
    GENRE_ID integer not null
);
create unique index PK_GENRE on GENRE (MOVIE_ID, GENRE_ID);

create table GENRELIST (
    GENRE_ID integer not null,
    NAME varchar(60)
);
create unique index PK_GENRELIST on GENRELIST (GENRE_ID);

create table IMPORT_MOVIE (
    IMPORT_MOVIE_ID integer not null,
    PARENT_ID integer,
    MEDIATYPE_ID integer,
    IMDBID integer,
    TITLE varchar(150),
    FILE_CODECNAME varchar(20),
    FILE_FORMAT varchar(25),
    FILE_VIDEOSIZE varchar(11),
    FILE_BITRATE integer,
    FILE_MAXBITRATE integer,
    FILE_FRAMERATE integer,
    FILE_STANDARD varchar(15),
    FILE_RESOLUTION integer,
    FILEPATH varchar(500)
);
create unique index PK_IMPORT_MOVIE on IMPORT_MOVIE (IMPORT_MOVIE_ID);

create table KEYWORD (
    MOVIE_ID float not null,
    KEYWORD_ID integer not null
);
create unique index PK_KEYWORD on KEYWORD (MOVIE_ID, KEYWORD_ID);

create table KEYWORDLIST (
    KEYWORD_ID integer not null,
    NAME varchar(30)
);
create unique index PK_KEYWORDLIST on KEYWORDLIST (KEYWORD_ID);

create table LANGUAGE (
    MOVIE_ID float not null,
    LANGUAGE_ID integer not null,
    AUDIOFORMAT_ID integer
);
create unique index PK_LANGUAGE on LANGUAGE (MOVIE_ID, LANGUAGE_ID, AUDIOFORMAT_ID);

create table LANGUAGELIST (
    LANGUAGE_ID integer not null,
    NAME varchar(60)
);
create unique index PK_LANGUAGELIST on LANGUAGELIST (LANGUAGE_ID);

create table LENDLIST (
    LEND_ID integer not null,
    IDNUMBER integer,
    NAME varchar(100),
    PHONE varchar(15),
    EMAIL varchar(150),
    COMMENTS varchar(255)
);
create unique index PK_LENDLIST on LENDLIST (LEND_ID);

create table MEDIA (
    MEDIA_ID float not null,
    TITLE varchar(150),
    TITLESORT varchar(150),
    MEDIATIME integer,
    LENDDATE timestamp,
    EDITION varchar(75),
    SEQNUMBER integer,
    MEDIATYPE_ID integer,
    REGIONCODE integer,
    UPC varchar(13),
    LOCATION varchar(50),
    STATUS varchar(50),
    BUYPRICE float,
    BUYDATE timestamp,
    LEND_ID integer,
    LEND_RETURNDATE timestamp,
    NOOFDISCS integer,
    DECK integer,
    SLOT integer,
    TVSERIES smallint,
    MEDIAOWNER varchar(50),
    DATE_ADDED timestamp,
    DATE_MODIFIED timestamp,
    FRONTCOVER_BLOB blob sub_type -2,
    BACKCOVER_BLOB blob sub_type -2
);
create unique index PK_MEDIA on MEDIA (MEDIA_ID);

create table MEDIA_GFX (
    MEDIA_ID float not null,
    FRONTCOVER_BLOB blob sub_type -2,
    BACKCOVER_BLOB blob sub_type -2
);
create unique index PK_MEDIA_GFX on MEDIA_GFX (MEDIA_ID);

create table MEDIATYPE (
    MEDIATYPE_ID integer not null,
    NAME varchar(30),
    READONLY integer,
    DESCRIPTION varchar(255),
    SPECIFYLENGTH integer,
    VIEWCONTENTS integer,
    ICON_BLOB blob sub_type -2
);
create unique index PK_MEDIATYPE on MEDIATYPE (MEDIATYPE_ID);

create table MOVIE (
    MEDIA_ID float not null,
    MOVIE_ID float not null,
    LISTINDEX integer,
    TITLE varchar(150),
    TITLESORT varchar(150),
    STUDIO varchar(80),
    RELEASEDATE timestamp,
    THEATERDATE timestamp,
    MOVIETIME integer,
    OFFICIALSITE varchar(200),
    TAGLINE varchar(300),
    USERRATING integer,
    IMDBID integer,
    ORIGTITLE varchar(150),
    ORIGTITLESORT varchar(150),
    CLIPPATH varchar(255),
    PLOTOUTLINE varchar(300),
    PLOT blob sub_type 1,
    COMMENTS blob sub_type 1,
    TRIVIA blob sub_type 1,
    CERTIFICATION_ID integer,
    COUNTRY_ID integer,
    BUDGET float,
    GROSSREVENUE float,
    DISCNO integer,
    SERIESNAME varchar(100),
    SEASON integer,
    WATCHED smallint,
    LASTWATCHEDDATE timestamp,
    FEATURESWATCHED smallint,
    PRODUCTIONYEAR varchar(4),
    IMDBRATING float,
    ORIGINAL_LANGUAGE_ID integer,
    HTTPERROR smallint,
    THREED_ENABLED smallint,
    FOURK_ENABLED smallint,
    DOWNLOAD_TYPE varchar(50),
    DOWNLOAD_CODE varchar(50),
    GROUP_ID integer,
    GROUP_INDEX smallint,
    ROTTEN_RATING smallint,
    TEMP_TAG smallint,
    FILE_CODECNAME varchar(20),
    FILE_FORMAT varchar(25),
    FILE_VIDEOSIZE varchar(11),
    FILE_BITRATE integer,
    FILE_FRAMERATE integer,
    FILE_STANDARD varchar(15),
    FILE_RESOLUTION integer,
    FILE_MAXBITRATE integer
);
create unique index PK_MOVIE on MOVIE (MEDIA_ID, MOVIE_ID);

create table MOVIEAWARDS (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    ORGANIZATION varchar(100),
    NAME varchar(100),
    AWARDYEAR smallint,
    RESULT smallint,
    CATEGORY varchar(80),
    NOTE varchar(150)
);
create unique index PK_MOVIEAWARDS on MOVIEAWARDS (MOVIE_ID, AUTOINDEX);

create table MOVIEAWARDS_PERSON (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    PERSON_ID float not null,
    NOTE varchar(50),
    TEMPORARY smallint
);
create unique index PK_MOVIEAWARDS_PERSON on MOVIEAWARDS_PERSON (MOVIE_ID, AUTOINDEX, PERSON_ID);

create table MOVIEFILES (
    MOVIE_ID float not null,
    LISTINDEX smallint,
    FILEPATH varchar(500)
);
create unique index PK_MOVIEFILES on MOVIEFILES (MOVIE_ID, LISTINDEX);

create table MOVIEGROUP (
    GROUP_ID integer not null,
    NAME varchar(150)
);
create unique index PK_MOVIEGROUP on MOVIEGROUP (GROUP_ID);

create table PERSON (
    PERSON_ID float not null,
    BIRTHYEAR varchar(4),
    BIO blob sub_type 1,
    IMDBID integer,
    NAME varchar(150),
    PICTURE blob sub_type -2,
    TRIVIA blob sub_type 1
);
create unique index PK_PERSON on PERSON (PERSON_ID);

create table ROLE_ (
    ROLE_ID integer not null,
    NAME varchar(60) not null,
    DESCRIPTION varchar(255)
);
create unique index PK_ROLE_ on ROLE_ (ROLE_ID);

create table SORT_OMIT (
    AUTOINDEX integer,
    WORDTOOMIT varchar(10)
);
create unique index PK_SORT_OMIT on SORT_OMIT (AUTOINDEX);

create table SOUNDTRACK (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    TITLE varchar(100),
    PERFORMER varchar(200)
);
create unique index PK_SOUNDTRACK on SOUNDTRACK (MOVIE_ID, AUTOINDEX);

create table SUBTITLES (
    MOVIE_ID float not null,
    LANGUAGE_ID integer
);
create unique index PK_SUBTITLES on SUBTITLES (MOVIE_ID, LANGUAGE_ID);

create table TECHNICALDATA (
    MOVIE_ID float not null,
    AUTOINDEX integer not null,
    TECHNICALDATA_ID integer,
    DATAVALUE varchar(100)
);
create unique index PK_TECHNICALDATA on TECHNICALDATA (MOVIE_ID, AUTOINDEX);

create table TECHNICALDATALIST (
    TECHNICALDATA_ID float not null,
    NAME varchar(70)
);
create unique index PK_TECHNICALDATA_LIST on TECHNICALDATALIST (TECHNICALDATA_ID);

create table TITLECLEANING (
    TITLECLEANING_ID integer not null,
    CLEANSTRING varchar(40),
    REPLACEWITH varchar(40)
);
create unique index PK_TITLECLEANING on TITLECLEANING (TITLECLEANING_ID);

create table TVSERIES (
    TVSERIES_ID integer not null,
    MOVIE_ID float not null,
    EPISODE smallint,
    EPISODENAME varchar(150),
    EPISODETIME smallint,
    LASTWATCHEDDATE date,
    AIRDATE date,
    RATING smallint,
    FILEPATH varchar(255),
    PLOT blob sub_type 1
);
create unique index PK_TVSERIES on TVSERIES (TVSERIES_ID);

create table USERVIEW (
    USERVIEW_ID integer not null,
    LISTINDEX integer,
    NAME varchar(60),
    DBFIELD1 varchar(25),
    DBFIELD2 varchar(25),
    DBFIELD3 varchar(25),
    DBFIELD4 varchar(25),
    DBOPERATOR1 varchar(15),
    DBOPERATOR2 varchar(15),
    DBOPERATOR3 varchar(15),
    DBOPERATOR4 varchar(15),
    DBVALUE1 varchar(30),
    DBVALUE2 varchar(30),
    DBVALUE3 varchar(30),
    DBVALUE4 varchar(30),
    DBCONDITION varchar(3),
    SORT1 varchar(25),
    SORT2 varchar(25),
    SORT3 varchar(25),
    SORT4 varchar(25),
    SORT5 varchar(25),
    ICONINDEX smallint,
    SQLLIMIT smallint,
    INIFILE_BLOB blob sub_type 1,
    INIFILE_BLOB_TABLE blob sub_type 1,
    INIFILE_BLOB_CARD1 blob sub_type 1,
    INIFILE_BLOB_CARD2 blob sub_type 1
);
create unique index PK_USERVIEW on USERVIEW (USERVIEW_ID);

create table WANTLIST (
    AUTOINDEX float not null,
    PRIORITY integer not null,
    TITLE varchar(150) not null,
    RELEASEDATE timestamp,
    THEATREDATE timestamp,
    WHEREHEARD varchar(60),
    COMMENT varchar(255),
    BUYPRICE float,
    MEDIATYPE_ID integer,
    ORDERED integer,
    ORDEREDFROM varchar(30),
    IMDBID integer,
    SERIESNAME varchar(75),
    SEASON integer,
    CLIPPATH varchar(255),
    ACTION_ID integer,
    USERRATING integer,
    WATCHED smallint,
    LASTWATCHEDDATE timestamp,
    DATE_ADDED timestamp,
    DATE_MODIFIED timestamp,
    FRONTCOVER_BLOB blob sub_type -2
);
create unique index PK_WANTLIST on WANTLIST (AUTOINDEX);
)SQL";

// Lookups that the views, the downloader and the import wizard make by a column other than the key.
const char *const kSecondaryIndexes = R"SQL(
create index IDX_MOVIE_MOVIE_ID on MOVIE (MOVIE_ID);
create index IDX_PERSON_PERSON_ID on CASTCREW (PERSON_ID);
create index IDX_CASTCREW_MOVIE_ID on CASTCREW (MOVIE_ID);
create index IDX_MOVIEFILES_MOVIE_ID on MOVIEFILES (MOVIE_ID);
create index IDX_IMPORT_MOVIE_PARENT_ID on IMPORT_MOVIE (PARENT_ID);
create index IDX_PERSON_IMDBID on PERSON (IMDBID);
create index IDX_MOVIE_IMDBID on MOVIE (IMDBID);
create index IDX_MOVIEAWARDS_MOVIE_ID on MOVIEAWARDS (MOVIE_ID);
create index IDX_MOVIEAWARDSPERSON_PERSON_ID on MOVIEAWARDS_PERSON (PERSON_ID);
create index IDX_TECHNICALDATA_MOVIE_ID on TECHNICALDATA (MOVIE_ID);
)SQL";

// One row per movie with its medium's fields and the names of its lookups. Left joins keep movies
// whose medium or lookups are missing. New collections get the form without FILE_MAXBITRATE, the
// same as upgraded ones minus that column; no query reads it through the view.
const char *const kView = R"SQL(
create view MOVIE_EXTENDED_VIEW (
    MEDIA_ID, MOVIE_ID, TITLE, TITLESORT, STUDIO, MOVIETIME, COUNTRY_ID,
    COUNTRY_TEXT,
    OFFICIALSITE, PLOTOUTLINE, PLOT, CERTIFICATION_ID, TAGLINE, USERRATING, IMDBID, ORIGTITLE, ORIGTITLESORT,
    BUDGET, GROSSREVENUE, THEATERDATE, RELEASEDATE, PRODUCTIONYEAR, COMMENTS, TRIVIA, SERIESNAME, SEASON,
    WATCHED, LASTWATCHEDDATE, IMDBRATING, DISCNO, THREED_ENABLED, FOURK_ENABLED, FILE_CODECNAME, FILE_FORMAT,
    FILE_VIDEOSIZE, FILE_BITRATE, FILE_FRAMERATE, FILE_STANDARD, FILE_RESOLUTION,
    SEQNUMBER, LOCATION, LEND_ID, LENDDATE, BUYDATE, UPC, MEDIATYPE_ID,
    MEDIATYPE_TEXT, CERTIFICATION_TEXT,
    DATE_ADDED, DATE_MODIFIED,
    ORIGINAL_LANGUAGE_TEXT,
    HASTRAILER,
    GROUP_ID, GROUP_TEXT, HTTPERROR, ROTTEN_RATING,
    ICON_BLOB, FRONTCOVER_BLOB
) as
select
    MOVIE.MEDIA_ID, MOVIE.MOVIE_ID, MOVIE.TITLE, MOVIE.TITLESORT, MOVIE.STUDIO, MOVIE.MOVIETIME, MOVIE.COUNTRY_ID,
    COUNTRYLIST.NAME,
    MOVIE.OFFICIALSITE, MOVIE.PLOTOUTLINE, MOVIE.PLOT, MOVIE.CERTIFICATION_ID, MOVIE.TAGLINE, MOVIE.USERRATING,
    MOVIE.IMDBID, MOVIE.ORIGTITLE, MOVIE.ORIGTITLESORT, MOVIE.BUDGET, MOVIE.GROSSREVENUE, MOVIE.THEATERDATE,
    MOVIE.RELEASEDATE, MOVIE.PRODUCTIONYEAR, MOVIE.COMMENTS, MOVIE.TRIVIA, MOVIE.SERIESNAME, MOVIE.SEASON,
    MOVIE.WATCHED, MOVIE.LASTWATCHEDDATE, MOVIE.IMDBRATING, MOVIE.DISCNO, MOVIE.THREED_ENABLED,
    MOVIE.FOURK_ENABLED, MOVIE.FILE_CODECNAME, MOVIE.FILE_FORMAT, MOVIE.FILE_VIDEOSIZE, MOVIE.FILE_BITRATE,
    MOVIE.FILE_FRAMERATE, MOVIE.FILE_STANDARD, MOVIE.FILE_RESOLUTION,
    MEDIA.SEQNUMBER, MEDIA.LOCATION, MEDIA.LEND_ID, MEDIA.LENDDATE, MEDIA.BUYDATE, MEDIA.UPC, MEDIA.MEDIATYPE_ID,
    MEDIATYPE.NAME, CERTIFICATIONLIST.NAME,
    MEDIA.DATE_ADDED, MEDIA.DATE_MODIFIED,
    LANGUAGELIST.NAME,
    substring(MOVIE.CLIPPATH from 1 for 1),
    MOVIE.GROUP_ID, MOVIEGROUP.NAME, MOVIE.HTTPERROR, MOVIE.ROTTEN_RATING,
    MEDIATYPE.ICON_BLOB, MEDIA.FRONTCOVER_BLOB
from MOVIE
    left outer join MEDIA on MEDIA.MEDIA_ID = MOVIE.MEDIA_ID
    left outer join MEDIATYPE on MEDIATYPE.MEDIATYPE_ID = MEDIA.MEDIATYPE_ID
    left outer join COUNTRYLIST on COUNTRYLIST.COUNTRY_ID = MOVIE.COUNTRY_ID
    left outer join LANGUAGELIST on LANGUAGELIST.LANGUAGE_ID = MOVIE.ORIGINAL_LANGUAGE_ID
    left outer join CERTIFICATIONLIST on CERTIFICATIONLIST.CERTIFICATION_ID = MOVIE.CERTIFICATION_ID
    left outer join MOVIEGROUP on MOVIEGROUP.GROUP_ID = MOVIE.GROUP_ID;
)SQL";

const char *const kDefaultRows = R"SQL(
insert into ACTIONLIST (ACTION_ID, NAME) values (0, 'Buy');
insert into ACTIONLIST (ACTION_ID, NAME) values (1, 'Watch');

insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (1, 'Dolby Digital 2.0');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (2, 'Dolby Digital 5.1');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (3, 'DTS');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (4, 'DTS 6.1 ES');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (5, 'Dolby Digital 7.1');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (6, 'Dolby Digital 2.0 Mono');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (7, 'Dolby TrueHD 5.1');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (8, 'PCM 5.1 (48kHz, 24-bit)');
insert into AUDIOFORMAT (AUDIOFORMAT_ID, NAME) values (9, 'DTS-HD Master Audio 5.1');

insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION)
    values (0, 'G', 'General Audiences. All ages admitted.');
insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION)
    values (1, 'PG', 'Parental Guidance suggested. Some material may not be suitable for children.');
insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION)
    values (2, 'PG-13', 'Parent strongly cautioned. Some material may be inappropriate for children under 13.');
insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION)
    values (3, 'R', 'Restricted. Under 17 requires accompanying parent or adult guardian.');
insert into CERTIFICATIONLIST (CERTIFICATION_ID, NAME, DESCRIPTION)
    values (4, 'NC-17', 'No one 17 and under admitted.');

insert into FORMATLIST (FORMAT_ID, NAME) values (1, '4:3');
insert into FORMATLIST (FORMAT_ID, NAME) values (2, '16:9');
insert into FORMATLIST (FORMAT_ID, NAME) values (3, '1.85:1');
insert into FORMATLIST (FORMAT_ID, NAME) values (4, '2.35:1');
insert into FORMATLIST (FORMAT_ID, NAME) values (5, '1.85:1 Anamorphic');
insert into FORMATLIST (FORMAT_ID, NAME) values (6, '2.35:1 Anamorphic');
insert into FORMATLIST (FORMAT_ID, NAME) values (7, '16:9 Anamorphic');

insert into GENRELIST (GENRE_ID, NAME) values (0, 'Action');
insert into GENRELIST (GENRE_ID, NAME) values (1, 'Thriller');
insert into GENRELIST (GENRE_ID, NAME) values (2, 'Comedy');
insert into GENRELIST (GENRE_ID, NAME) values (3, 'Romance');
insert into GENRELIST (GENRE_ID, NAME) values (4, 'Drama');
insert into GENRELIST (GENRE_ID, NAME) values (5, 'Crime');
insert into GENRELIST (GENRE_ID, NAME) values (6, 'Fantasy');
insert into GENRELIST (GENRE_ID, NAME) values (7, 'Adventure');
insert into GENRELIST (GENRE_ID, NAME) values (8, 'Sci-Fi');

insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (0, 'Harddrive', '', 0, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (1, 'DVD', '', 1, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (2, 'VHS', '', 0, 1, 1);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (3, 'Laser Disc', '', 1, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (4, 'Blu-ray', '', 1, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (5, 'HD DVD', '', 1, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (6, 'VCD', '', 1, 0, 0);
insert into MEDIATYPE (MEDIATYPE_ID, NAME, DESCRIPTION, READONLY, SPECIFYLENGTH, VIEWCONTENTS)
    values (7, 'Ultra HD Blu-ray', '', 1, 0, 0);

insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (0, 'Actor', 'A person who plays the role of a character. Historically, the term Actor refered exclusively to males, but in modern times the term is used for both genders.');
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (1, 'Director', 'The principal creative artist on a movie set. A director is usually (but not always) the driving artistic source behind the filming process, and communicates to actors the way that he/she would like a particular scene played.');
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (2, 'Producer', 'The chief of a movie production in all matters save the creative efforts of the director. A producer is responsible for raising funding, hiring key personnel, and arranging for distributors.');
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (3, 'Writing Credits', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (4, 'Production Company', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (5, 'Distributor', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (6, 'Original Music', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (7, 'Associate Producer', 'An individual who performs a limited number of producing functions delegated to her/him by a producer, under the direct supervision and control of that producer.');
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (8, 'Writing (Screenplay)', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (9, 'Stunts', null);
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (10, 'Executive Producer', 'A producer who is not involved in any technical aspects of the filmmaking process, but who is still responsible for the overall production. Typically an executive producer handles business and legal issues.');
insert into ROLE_ (ROLE_ID, NAME, DESCRIPTION) values (11, 'Co-Producer', 'A producer who performs a substantial portion of a creative producing function, or who is primarily responsible for one or more managerial producing functions. A co-producer has less responsibility than a producer for the completion of a project.');

insert into FILETYPES (FILETYPE_ID, NAME) values (1, 'avi');
insert into FILETYPES (FILETYPE_ID, NAME) values (2, 'mov');
insert into FILETYPES (FILETYPE_ID, NAME) values (3, 'mpeg');
insert into FILETYPES (FILETYPE_ID, NAME) values (4, 'wmv');
insert into FILETYPES (FILETYPE_ID, NAME) values (5, 'mpg');
insert into FILETYPES (FILETYPE_ID, NAME) values (6, 'mp4');
insert into FILETYPES (FILETYPE_ID, NAME) values (7, 'mkv');

insert into SORT_OMIT (AUTOINDEX, WORDTOOMIT) values (1, 'the');
)SQL";

// Ids run from 1 in list order.
const char *const kCountries[] = {"USA",
                                  "Canada",
                                  "Afghanistan",
                                  "Albania",
                                  "Algeria",
                                  "American Samoa",
                                  "Andorra",
                                  "Angola",
                                  "Anguilla",
                                  "Antarctica",
                                  "Antigua and Barbuda",
                                  "Argentina",
                                  "Armenia",
                                  "Aruba",
                                  "Ashmore and Cartier Islands",
                                  "Australia",
                                  "Austria",
                                  "Azerbaijan",
                                  "Bahamas",
                                  "Bahrain",
                                  "Baker Island",
                                  "Bangladesh",
                                  "Barbados",
                                  "Bassas da India",
                                  "Belarus",
                                  "Belgium",
                                  "Belize",
                                  "Benin",
                                  "Bermuda",
                                  "Bhutan",
                                  "Bolivia",
                                  "Bosnia and Herzegovina",
                                  "Botswana",
                                  "Bouvet Island",
                                  "Brazil",
                                  "British Indian Ocean Territory",
                                  "British Virgin Islands",
                                  "Brunei",
                                  "Bulgaria",
                                  "Burkina Faso",
                                  "Burma",
                                  "Burundi",
                                  "Cambodia",
                                  "Cameroon",
                                  "Cape Verde",
                                  "Cayman Islands",
                                  "Central African Republic",
                                  "Chad",
                                  "Chile",
                                  "China",
                                  "Christmas Island",
                                  "Clipperton Island",
                                  "Cocos Islands",
                                  "Colombia",
                                  "Comoros",
                                  "Congo",
                                  "Cook Islands",
                                  "Coral Sea Islands",
                                  "Costa Rica",
                                  "Cote d'Ivoire",
                                  "Croatia",
                                  "Cuba",
                                  "Cyprus",
                                  "Czech Republic",
                                  "Denmark",
                                  "Djibouti",
                                  "Dominica",
                                  "Dominican Republic",
                                  "Ecuador",
                                  "Egypt",
                                  "El Salvador",
                                  "Equatorial Guinea",
                                  "Eritrea",
                                  "Estonia",
                                  "Ethiopia",
                                  "Europa Island",
                                  "Falkland Islands",
                                  "Faroe Islands",
                                  "Fiji",
                                  "Finland",
                                  "France",
                                  "French Guiana",
                                  "French Polynesia",
                                  "French Southern and Antarctic Lands",
                                  "Gabon",
                                  "Gambia",
                                  "Gaza Strip",
                                  "Georgia",
                                  "Germany",
                                  "Ghana",
                                  "Gibraltar",
                                  "Glorioso Islands",
                                  "Greece",
                                  "Greenland",
                                  "Grenada",
                                  "Guadeloupe",
                                  "Guam",
                                  "Guatemala",
                                  "Guernsey",
                                  "Guinea",
                                  "Guinea-Bissau",
                                  "Guyana",
                                  "Haiti",
                                  "Heard Island and McDonald Islands",
                                  "Holy See (Vatican City)",
                                  "Honduras",
                                  "Hong Kong",
                                  "Howland Island",
                                  "Hungary",
                                  "Iceland",
                                  "India",
                                  "Indonesia",
                                  "Iran",
                                  "Iraq",
                                  "Ireland",
                                  "Isle of Man",
                                  "Israel",
                                  "Italy",
                                  "Jamaica",
                                  "Jan Mayen",
                                  "Japan",
                                  "Jarvis Island",
                                  "Jersey",
                                  "Johnston Atoll",
                                  "Jordan",
                                  "Juan de Nova Island",
                                  "Kazakhstan",
                                  "Kenya",
                                  "Kingman Reef",
                                  "Kiribati",
                                  "North Korea",
                                  "South Korea",
                                  "Kuwait",
                                  "Kyrgyzstan",
                                  "Laos",
                                  "Latvia",
                                  "Lebanon",
                                  "Lesotho",
                                  "Liberia",
                                  "Libya",
                                  "Liechtenstein",
                                  "Lithuania",
                                  "Luxembourg",
                                  "Macau",
                                  "Macedonia",
                                  "Madagascar",
                                  "Malawi",
                                  "Malaysia",
                                  "Maldives",
                                  "Mali",
                                  "Malta",
                                  "Marshall Islands",
                                  "Martinique",
                                  "Mauritania",
                                  "Mauritius",
                                  "Mayotte",
                                  "Mexico",
                                  "Micronesia",
                                  "Midway Islands",
                                  "Moldova",
                                  "Monaco",
                                  "Mongolia",
                                  "Montserrat",
                                  "Morocco",
                                  "Mozambique",
                                  "Namibia",
                                  "Nauru",
                                  "Navassa Island",
                                  "Nepal",
                                  "Netherlands",
                                  "Netherlands Antilles",
                                  "New Caledonia",
                                  "New Zealand",
                                  "Nicaragua",
                                  "Niger",
                                  "Nigeria",
                                  "Niue",
                                  "Norfolk Island",
                                  "Northern Mariana Islands",
                                  "Norway",
                                  "Oman",
                                  "Pakistan",
                                  "Palau",
                                  "Palmyra Atoll",
                                  "Panama",
                                  "Papua New Guinea",
                                  "Paracel Islands",
                                  "Paraguay",
                                  "Peru",
                                  "Philippines",
                                  "Pitcairn Islands",
                                  "Poland",
                                  "Portugal",
                                  "Puerto Rico",
                                  "Qatar",
                                  "Reunion",
                                  "Romania",
                                  "Russia",
                                  "Rwanda",
                                  "Saint Helena",
                                  "Saint Kitts and Nevis",
                                  "Saint Lucia",
                                  "Saint Pierre and Miquelon",
                                  "Saint Vincent and the Grenadines",
                                  "Samoa",
                                  "San Marino",
                                  "Sao Tome and Principe",
                                  "Saudi Arabia",
                                  "Senegal",
                                  "Serbia and Montenegro",
                                  "Seychelles",
                                  "Sierra Leone",
                                  "Singapore",
                                  "Slovakia",
                                  "Slovenia",
                                  "Solomon Islands",
                                  "Somalia",
                                  "South Africa",
                                  "South Georgia and the South Sandwich Islands",
                                  "Spain",
                                  "Spratly Islands",
                                  "Sri Lanka",
                                  "Sudan",
                                  "Suriname",
                                  "Svalbard",
                                  "Swaziland",
                                  "Sweden",
                                  "Switzerland",
                                  "Syria",
                                  "Taiwan",
                                  "Tajikistan",
                                  "Tanzania",
                                  "Thailand",
                                  "Togo",
                                  "Tokelau",
                                  "Tonga",
                                  "Trinidad and Tobago",
                                  "Tromelin Island",
                                  "Tunisia",
                                  "Turkey",
                                  "Turkmenistan",
                                  "Turks and Caicos Islands",
                                  "Tuvalu",
                                  "Uganda",
                                  "Ukraine",
                                  "United Arab Emirates",
                                  "United Kingdom",
                                  "Uruguay",
                                  "Uzbekistan",
                                  "Vanuatu",
                                  "Venezuela",
                                  "Vietnam",
                                  "Virgin Islands",
                                  "Wake Island",
                                  "Wallis and Futuna",
                                  "West Bank",
                                  "Western Sahara",
                                  "Yemen",
                                  "Zambia",
                                  "Zimbabwe"};

const char *const kLanguages[] = {
    "Persian",         "Afrikaans", "Albanian",   "Arabic",   "Armenian",  "Basque",    "Bosnian",   "Bulgarian",
    "Catalan",         "Chinese",   "Czech",      "Danish",   "English",   "Finnish",   "French",    "German",
    "Scottish Gaelic", "Greek",     "Hebrew",     "Hindi",    "Hungarian", "Icelandic", "Indic",     "Indonesian",
    "Iranian",         "Irish",     "Italian",    "Japanese", "Korean",    "Kurdish",   "Latin",     "Macedonian",
    "Norwegian",       "Polish",    "Portuguese", "Romanian", "Russian",   "Serbian",   "Croatian",  "Slovak",
    "Slovenian",       "Spanish",   "Swedish",    "Thai",     "Turkish",   "Ukrainian", "Vietnamese"};

static_assert(std::size(kCountries) == 260, "country ids 1..260 are stored in movies");
static_assert(std::size(kLanguages) == 47, "language ids 1..47 are stored in movies");

template <std::size_t N>
QString numberedInserts(const char *table, const char *keyColumn, const char *const (&names)[N])
{
    QString script;
    for (std::size_t i = 0; i < N; ++i) {
        QString name = QString::fromUtf8(names[i]);
        name.replace(QLatin1Char('\''), QLatin1String("''"));
        script += QStringLiteral("insert into %1 (%2, NAME) values (%3, '%4');\n")
                      .arg(QLatin1String(table), QLatin1String(keyColumn))
                      .arg(i + 1)
                      .arg(name);
    }
    return script;
}

} // namespace

QString sqlNewDatabase()
{
    return QString::fromUtf8(kTables) + QString::fromUtf8(kSecondaryIndexes) + QString::fromUtf8(kView);
}

QString sqlDefaultData()
{
    return QString::fromUtf8(kDefaultRows) + numberedInserts("COUNTRYLIST", "COUNTRY_ID", kCountries) +
           numberedInserts("LANGUAGELIST", "LANGUAGE_ID", kLanguages);
}
