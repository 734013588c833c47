// vandrel-picturegen OUTPUT_FOLDER
// Draws the pictures of the program into OUTPUT_FOLDER, with the resource
// script pictures.rc that lists them.
#include <exception>
#include <iostream>

#include "pages/pictures/Generator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vandrel-picturegen OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        vandrel::picturegen::writePictures(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "vandrel-picturegen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
