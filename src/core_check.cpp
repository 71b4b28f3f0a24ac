// Links the whole core library with Qt Core alone: the build fails when a core file reaches
// an adapter or a window.
int main() {
    return 0;
}
