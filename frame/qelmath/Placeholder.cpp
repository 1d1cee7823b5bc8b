// Placeholder translation unit until the library grows its first source.
