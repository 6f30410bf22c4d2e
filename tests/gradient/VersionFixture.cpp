// A program that does nothing: the version reader tests look at its file, with or without a
// version resource.
int main() {
    return 0;
}
