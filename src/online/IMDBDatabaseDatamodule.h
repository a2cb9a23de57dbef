#pragma once

// Stores downloaded movies in the open collection. It holds nothing yet: the downloads that feed
// it come later.
class TIMDBDatabaseModule
{
public:
    TIMDBDatabaseModule() = default;
};
